#pragma once
// Command targets and the command-update object handed to update rules.

// Where the router looks for a command's handler, in routing order.
enum class CmdTarget { View, Document, Frame, App };

// Filled by an update rule; read by the menu item, key or button that shows the command.
class CCmdUI {
public:
    explicit CCmdUI(int nId) : m_nID(nId) {}
    void Enable(bool bOn = true) { m_bEnabled = bOn; }
    // 0 unchecked, 1 checked.
    void SetCheck(int nCheck = 1) {
        m_nCheck = nCheck;
        m_bCheckable = true;
    }

    int m_nID;
    bool m_bEnabled = true;
    bool m_bCheckable = false;
    int m_nCheck = 0;
};

// Base of everything that handles commands: the view, the document, the frame, the application.
class CCmdTarget {
public:
    virtual ~CCmdTarget() = default;
};
