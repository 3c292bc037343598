#include "vdu/paste_delivery.h"

#include "vdu/display_rules.h"
#include "vdu/paste_rules.h"

bool QueueWindowEvent(VduBlock *block, uint32_t code, uint32_t position)
{
    ScreenLock screen{block};
    if (!screen)
        return QueueEvent(block, code, position);
    return QueueBehindPending(screen.get()->pendingEvents, block, code, position);
}

void DeliverPaste(VduBlock *block, const std::vector<uint32_t> &codes)
{
    if (codes.empty())
        return;
    if (ScreenLock screen{block}) {
        ScreenState &s = *screen.get();
        AppendPaste(s.pendingEvents, codes);
        FeedRing(s.pendingEvents, block);
    }
}

void FeedWaitingEvents(ScreenState &s)
{
    FeedRing(s.pendingEvents, s.block);
}
