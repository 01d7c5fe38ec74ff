#pragma once
// Dialog templates of the resource sets (controls with ids, texts, styles and geometry in dialog
// units, and the template font), and the widgets made from them, placed in pixels.

#include <QFont>
#include <QList>
#include <QRect>
#include <QSize>
#include <QString>
#include <QStringList>

#include "platform/framework/Dialog.h" // control ids

class QWidget;

// One control of a template.
struct CDialogControl {
    int nId = -1;       // -1 for labels
    QString strName;    // symbolic id ("IDC_AUDIO_FILE"); empty for labels
    QString strKind;    // "static", "edit", "button", "trackbar" or "icon"
    QString strText;    // for an icon: the id of its image
    QRect rcUnits;      // dialog units
    QStringList styles; // "tabstop", "readonly", "flat", "default", "disabled", ...

    bool HasStyle(const QString& strStyle) const { return styles.contains(strStyle); }
};

class CDialogTemplate {
public:
    // Loads template nTemplateId of resource set nSetId. A template the set does not hold is
    // looked up in the English set 128, which also holds the templates shared by all languages.
    static bool Load(int nSetId, int nTemplateId, CDialogTemplate& out);
    // Loads a template from whichever set holds it (template ids are unique across the sets).
    static bool Load(int nTemplateId, CDialogTemplate& out);

    const CDialogControl* FindControl(int nId) const;
    // The template font as a font of this system ("System" and "MS Sans Serif" become the
    // general font, "Fixedsys" the fixed-pitch font), at the template's point size.
    QFont Font() const;

    int m_nId = 0;
    QString m_strCaption;
    QSize m_sizeUnits; // dialog units
    QString m_strFontFace;
    int m_nFontPoints = 0;
    QStringList m_styles;             // "child", or "modalframe", "caption", "sysmenu"
    QList<CDialogControl> m_controls; // in tab order
};

// The dialog base units of a font in pixels: the average width of the letters and the height.
struct CDialogUnits {
    int nBaseX = 0;
    int nBaseY = 0;

    static CDialogUnits FromFont(const QFont& font);
    int XToPixels(int x) const;
    int YToPixels(int y) const;
    QRect ToPixels(const QRect& rcUnits) const;
    QSize ToPixels(const QSize& sizeUnits) const;
};

// Makes every control of the template a child of parent, in tab order, placed in pixels from
// the dialog units of the template font, which the parent takes. A template with a caption sets
// the parent's window title and fixes its size; a child template only resizes it.
// Returns the template's size in pixels.
QSize CreateDialogControls(const CDialogTemplate& tmpl, QWidget* pParent);

