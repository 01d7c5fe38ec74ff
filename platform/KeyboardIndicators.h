#pragma once
// The lock keys' states for the status bar's CAP, NUM and SCRL indicators, where the window
// system tells them (X11's keyboard indicators); unknown elsewhere.

struct SLockKeys {
    bool bKnown = false;
    bool bCaps = false;
    bool bNum = false;
    bool bScroll = false;
};

SLockKeys QueryLockKeys();
