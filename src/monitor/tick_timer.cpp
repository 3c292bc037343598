#include "monitor/tick_timer.h"

#include "host/shared_fields.h"
#include "monitor/clock_stamp.h"

void TakeClockStamp(HostContext *context)
{
    SYSTEMTIME now;
    GetLocalTime(&now);
    const ClockStampWords words = PackClockStamp(
        {now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond, now.wMilliseconds});
    StoreShared(context->clockDate, words.date);
    StoreShared(context->clockTime, words.time);
}

void TickClock(HostContext *context)
{
    const uint32_t time = LoadShared(context->clockTime);
    const uint8_t counter = AdvanceTickCounter(static_cast<uint8_t>(time >> 24));
    StoreShared(context->clockTime, (time & 0x00FFFFFFu) | (uint32_t{counter} << 24));
    if (TickTakesStamp(counter))
        TakeClockStamp(context);
}

void CALLBACK TickTimerProc(HWND window, UINT, UINT_PTR, DWORD)
{
    auto *context = reinterpret_cast<HostContext *>(GetWindowLongPtrA(window, 0));
    if (context)
        TickClock(context);
}
