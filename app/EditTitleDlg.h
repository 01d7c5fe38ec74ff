#pragma once
// The header-tag dialog ("Edit lrc title"): title, artist, album, editor and offset of the
// lyrics, read from the view's text when it opens and written back as header lines on OK.

#include <QString>

#include "platform/framework/Dialog.h"

class CEditTitleDlg : public CDialog {
public:
    // The template is the interface language's header dialog.
    explicit CEditTitleDlg(QWidget* pParent = nullptr);
    ~CEditTitleDlg() override;

    QString m_strAlbum;
    QString m_strArtist;
    QString m_strBy;
    QString m_strTitle;
    int m_nOffset = 0;

    // Longest input of a text field and of the offset field, in characters.
    static constexpr int kMaxTextChars = 256;
    static constexpr int kMaxOffsetChars = 10;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    bool OnInitDialog() override;
    void OnOK() override;
};
