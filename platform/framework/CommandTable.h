#pragma once
// The command table: one row per (command id, routing target) with the handler and the update
// rule. The program lists all its rows in one table; the router walks it in the order view,
// document, frame, application.

#include <span>

#include "platform/framework/CmdTarget.h"

using PfnCommand = void (*)(CCmdTarget*);
using PfnUpdate = void (*)(CCmdTarget*, CCmdUI*);

struct CCommandEntry {
    int nId;
    const char* pszName;   // objectName of the command's action, e.g. "ID_EDIT_TIDY"
    CmdTarget target;      // which object handles it
    PfnCommand pfnCommand; // nullptr: this row only updates the command
    PfnUpdate pfnUpdate;   // nullptr: enabled while some target has a handler
};

using CCommandTable = std::span<const CCommandEntry>;

// Fn may be a member of a base of T.
template <class T, auto Fn> void CallCommand(CCmdTarget* p) {
    if (T* t = dynamic_cast<T*>(p))
        (t->*Fn)();
}

template <class T, auto Fn> void CallUpdate(CCmdTarget* p, CCmdUI* pCmdUI) {
    if (T* t = dynamic_cast<T*>(p))
        (t->*Fn)(pCmdUI);
}

// Rows of the table. target is one of View, Document, Frame, App.
#define ON_COMMAND(target, id, cls, fn)                                                            \
    CCommandEntry {                                                                                \
        id, #id, CmdTarget::target, &CallCommand<cls, &cls::fn>, nullptr                           \
    }
#define ON_COMMAND_UPDATE(target, id, cls, fn, upd)                                                \
    CCommandEntry {                                                                                \
        id, #id, CmdTarget::target, &CallCommand<cls, &cls::fn>, &CallUpdate<cls, &cls::upd>       \
    }
#define ON_UPDATE_COMMAND_UI(target, id, cls, upd)                                                 \
    CCommandEntry {                                                                                \
        id, #id, CmdTarget::target, nullptr, &CallUpdate<cls, &cls::upd>                           \
    }
