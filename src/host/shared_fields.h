// Atomic access to the host-context fields that threads share without a lock.
#pragma once

#include <atomic>
#include <cstdint>

template <typename T>
inline T LoadShared(T &field)
{
    return std::atomic_ref<T>(field).load(std::memory_order_seq_cst);
}

template <typename T>
inline void StoreShared(T &field, T value)
{
    std::atomic_ref<T>(field).store(value, std::memory_order_seq_cst);
}

template <typename T>
inline bool ClaimShared(T &field, T expected, T desired)
{
    return std::atomic_ref<T>(field).compare_exchange_strong(expected, desired);
}

inline void AddShared(uint32_t &field, uint32_t delta)
{
    std::atomic_ref<uint32_t>(field).fetch_add(delta);
}

inline void SubtractShared(uint32_t &field, uint32_t delta)
{
    std::atomic_ref<uint32_t>(field).fetch_sub(delta);
}
