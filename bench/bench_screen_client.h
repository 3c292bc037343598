// A character screen driven as a client drives it, for the benchmarks that time what a user
// sees: requests through the service entry, and the display window watched for its paints.
#pragma once

#include <windows.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <vector>

#include "bench_timing.h"
#include "host/host_api.h"
#include "vdu/vdu_block.h"

struct BenchScreen {
    HostContext *context;
    VduBlock *block;

    BenchScreen(HostContext *c, int32_t columns, int32_t rows, uint8_t screenNumber = 0)
        : context(c), block(static_cast<VduBlock *>(HostAllocate(sizeof(VduBlock))))
    {
        block->header.requestClass = 'V';
        block->columns = columns;
        block->rows = rows;
        block->cellWidth = 8;
        block->cellHeight = 16;
        block->marginLeft = 15;
        block->marginTop = 88;
        block->marginRight = 9;
        block->marginBottom = 56;
        block->extra = screenNumber;
        Submit('Q');
    }
    ~BenchScreen()
    {
        Submit('X');
        HostRelease(block);
    }
    void Submit(uint8_t op)
    {
        block->header.op = op;
        context->serviceEntry(context, &block->header);
    }
    void Put(uint8_t ch)
    {
        block->data = ch;
        Submit('T');
    }
    void Control(uint8_t code)
    {
        block->data = code;
        Submit('U');
    }
    // 'K' once; the event code, 0 for none.
    uint32_t Take()
    {
        Submit('K');
        return block->data;
    }
    // One line of 80 characters, then a look for a key, as a listing program writes.
    void Line(int n)
    {
        for (int i = 0; i < 80; ++i)
            Put(static_cast<uint8_t>('!' + (n * 7 + i) % 90));
        Take();
    }
};

// Watches the paints of one display window: how many, and when the last one that began after
// a given moment ended. The watch procedure runs on the GUI thread around the window's own.
struct PaintWatch {
    static inline WNDPROC original = nullptr;
    static inline std::atomic<long> paints{0};
    static inline std::atomic<LONGLONG> paintTicks{0}; // time spent painting
    static inline std::atomic<LONGLONG> after{0};  // a paint beginning at or after this moment...
    static inline std::atomic<LONGLONG> shown{0};  // ...ended at this moment (0: none yet)

    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
    {
        const LONGLONG start = Now();
        const LRESULT result = CallWindowProcA(original, window, message, wParam, lParam);
        if (message == WM_PAINT) {
            paints.fetch_add(1);
            paintTicks.fetch_add(Now() - start);
            const LONGLONG wanted = after.load();
            if (wanted != 0 && start >= wanted && shown.load() == 0)
                shown.store(Now());
        }
        return result;
    }
    static void Attach(HWND window)
    {
        original = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&PaintWatch::Procedure)));
    }
    static void Detach(HWND window)
    {
        SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original));
    }
};

// Processor time a thread has used, in seconds (kernel and user).
inline double ThreadSeconds(HANDLE thread)
{
    FILETIME created, exited, kernel, user;
    if (!GetThreadTimes(thread, &created, &exited, &kernel, &user))
        return 0;
    auto value = [](const FILETIME &t) { return (static_cast<ULONGLONG>(t.dwHighDateTime) << 32) | t.dwLowDateTime; };
    return static_cast<double>(value(kernel) + value(user)) * 1e-7;
}

// The thread that runs a window (the GUI thread), opened to read its times.
inline HANDLE WindowThread(HWND window)
{
    return OpenThread(THREAD_QUERY_INFORMATION, FALSE, GetWindowThreadProcessId(window, nullptr));
}

inline double Percentile(std::vector<double> values, double p)
{
    std::sort(values.begin(), values.end());
    const size_t i = std::min(values.size() - 1, static_cast<size_t>(p * static_cast<double>(values.size())));
    return values[i];
}
