#pragma once
// The editor view: the lyrics text, one lyric line per line, and the view's share of the
// program's state (audio, now tag, offset, colours). Its parts live in one file per concern:
// VersewrightView.cpp (state and text transfer), TagCommands.cpp, ViewLines.cpp (line access),
// PlaybackSync.cpp, Gutter.cpp, ViewAppearance.cpp, Printing.cpp.

#include <QBasicTimer>
#include <QBrush>
#include <QFont>
#include <QPixmap>
#include <QString>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "app/EditDialogBar.h"
#include "app/XDataRecord.h"
#include "doc/NowTag.h"
#include "doc/PlayTime.h"
#include "platform/framework/EditView.h"
#include "player/MediaPlayer.h"

class CAudioLoader;
class CVersewrightDoc;
class CGutter;
class QPainter;
class QPrinter;

class CVersewrightView : public CEditView, public IDialogBarView {
public:
    CVersewrightView();
    ~CVersewrightView() override;

    CVersewrightDoc* GetDocument() const;
    const CCodePage& GetTextCodePage() const override;
    int OnCreate() override;

    // Whole-text transfer with the document. GetLyricsText copies at most capacity - 1 bytes of
    // the text image (in its code page, GetTextImage().Page()) and a terminating zero and
    // returns the number of bytes copied; SetLyricsText replaces the text with bytes in the
    // document's code page, without an undo record, and puts the caret at the start.
    size_t GetLyricsText(char* pBuffer, size_t nCapacity) const;
    void SetLyricsText(const char* pszText);

    // Effective time of a play position (position plus offset, never below 0), and the play
    // position of a tag value (value minus offset, never below 0).
    uint32_t EffectiveTime(uint32_t nPosition) const;
    uint32_t PlayPositionOfTag(uint32_t nTagTime) const;

    // Tag commands.
    void OnAddTag();
    void OnUpdateAddTag(CCmdUI* pCmdUI);
    void OnDelNowTag();
    void OnUpdateDelNowTag(CCmdUI* pCmdUI);
    void OnDelFirstTag();
    void OnDelLineTags();
    void OnDelAllTags();
    void OnDelFractions();
    void OnTidy();
    void OnSelectText();
    // The text changed.
    void OnChange();

    // Playback synchronisation (PlaybackSync.cpp, Gutter.cpp).
    void OnTimer(int nIDEvent);
    void UpdatePlayPosition(uint32_t nPosition, bool bForce) override;
    // What the scan found; the outputs are bytes.
    enum class NowTagScan { None = 0, Unchanged = 1, Changed = 2 /* the caret was moved */ };
    NowTagScan FindNowTag(std::string& strTag, std::string& strLyric, uint32_t nPosition);
    void RedrawGutter();
    void DrawGutter(QPainter& painter);
    void OnPrevTag();
    void OnNextTag();
    void OnNowTag();
    void OnUpdateTagNavigation(CCmdUI* pCmdUI);
    void SetPlaybackTimer(int nIntervalMs) override;
    void KillPlaybackTimer() override;
    bool IsPlaybackTimerActive() const { return m_timerPlayback.isActive(); }
    int GetPlaybackTimerInterval() const { return m_nPlaybackInterval; }

    // Playback commands (PlaybackCommands.cpp). LoadAudio returns at once; the song is ready
    // (m_bAudioLoaded) once the loader hands it back, and a Play given meanwhile plays then.
    void LoadAudio(const QString& strPath);
    bool IsAudioLoading() const;
    // Waits (without taking user input) until a song being loaded is ready or has failed, for
    // commands that need its outcome.
    void FinishAudioLoading();
    // On each tick of the playback timer: follows the position, and stops the transport when
    // the song has ended or failed.
    void FollowPlayback();
    void OnOpenAudio();
    void OnPlay();
    void OnUpdatePlay(CCmdUI* pCmdUI);
    void OnPause();
    void OnUpdatePause(CCmdUI* pCmdUI);
    void OnStop();
    void OnUpdateStop(CCmdUI* pCmdUI);
    void OnBack();
    void OnForward();
    void OnUpdateNeedAudio(CCmdUI* pCmdUI);
    void OnVolumeUp();
    void OnVolumeDown();
    void SetKeptVolume(int32_t nVolume) override { m_nVolume = nVolume; }

    // Timing aids (TimingAids.cpp): the caret line's first tag nudged, the line replayed, the
    // speed stepped, a tag moved to a new time and a seek from the timing panel.
    void OnNudgeEarlier();
    void OnNudgeLater();
    void OnNudgeEarlierFine();
    void OnNudgeLaterFine();
    void OnReplayLine();
    void OnSlower();
    void OnFaster();
    void StepSpeed(int nStep);
    // The tag the span was listed for gets the new value, as one undo step; false when the
    // text no longer holds it there.
    bool MoveTimeTag(const STimeTagSpan& tag, uint32_t nNewTime);
    void SeekPlayPosition(uint32_t nPosition);
    int m_nSpeedIndex = SPEED_NORMAL_INDEX;
    // Subtracted from every stamp made with Insert.
    uint32_t m_nReactionMs = 0;

    // Appearance: the font and colours of the settings record, applied while the view is made,
    // and the View menu's font and colour dialogs.
    void ApplyFont(const QFont& font);
    void ApplyColors();
    void OnSetFont();
    void OnTextColor();
    void OnBkColor();
    void SetEditTextColor(ColorRef cr);
    void SetEditBkColor(ColorRef cr);
    // Keeps the text clear of the gutter.
    void SetFormattingMargin();

    // Printing of the text with the view's font; the printer keeps its settings while the
    // program runs.
    void OnFilePrint();
    void OnFilePrintDirect();
    void OnFilePrintPreview();
    void OnFilePrintSetup();
    QPrinter& GetPrinter();

    QFont m_font;
    int m_bFontCreated = 0;
    int m_nLineHeight = 12;
    int m_bAudioLoaded = 0;
    // The view's own record of the transport, apart from the player's state.
    enum { PLAY_STOPPED = 0, PLAY_PLAYING = 1, PLAY_PAUSED = 2 };
    int m_nPlayState = PLAY_STOPPED;
    QString m_strAudioPath;
    int m_nVolume = 0;
    QString m_strAudioExt;
    QString m_strAudioName;
    int m_nNowTagLine = -1;
    unsigned int m_nNowTagTime = 0;
    int m_nOffset = 0;
    QPixmap m_hMarkIcon;
    int m_bHasTags = 0;
    // What the position display showed last. Never reset: only a forced refresh redraws within
    // the same tenth of a second.
    CPlayPositionGate m_positionGate;
    ColorRef m_crText = 0x000000;
    ColorRef m_crBack = 0xFFFFFF;
    QBrush m_hBackBrush;

    // Replaces bytes [nFrom, nTo) of the text image (GetTextImage) with bytes in the image's code
    // page, as one undo step; false (nothing changed) past the limit.
    bool ReplaceBytes(size_t nFrom, size_t nTo, std::string_view bytes);

    // Header tags (HeaderTags.cpp): the five values of the text's header tags, the ID3v1 tag of
    // the audio standing in for title, artist and album when the text has none of them; and the
    // text rewritten to start with exactly the given header lines, as one undo step.
    void ReadHeaderValues(QString& strTitle, QString& strArtist, QString& strAlbum, QString& strBy,
                          QString& strOffset);
    void WriteHeaderValues(const QString& strTitle, const QString& strArtist,
                           const QString& strAlbum, const QString& strBy, const QString& strOffset);

    // Width of the gutter at the left of the text.
    static constexpr int kGutterWidth = 20;
    // EM_GETLINE reads a line into this many bytes; the rest of a longer line is not examined.
    static constexpr size_t kLineBuffer = 256;

protected:
    void resizeEvent(QResizeEvent* pEvent) override;
    void timerEvent(QTimerEvent* pEvent) override;

private:
    // A copy of one line's first bytes of the text image, zero-terminated.
    struct CLineCopy {
        char sz[kLineBuffer + 1] = {};
        size_t nLength = 0;
        size_t nStartByte = 0; // where the line starts in the image
        int nLine = -1;
    };
    int GetCaretLine() const;
    bool ReadLine(int nLine, CLineCopy& copy) const;
    void NudgeCaretLineTag(int32_t nDelta);
    // Plays from a position, and starts playing when the song stands.
    void PlayFrom(uint32_t nPosition);
    // Reads the caret's line into copy; the position after the '[' of its first time tag.
    const char* FindFirstTagOfCaretLine(CLineCopy& copy);
    // Deletes [from, to) of the copied line; the now tag is looked for again.
    void DeleteTags(const CLineCopy& copy, const char* from, const char* to);
    // Replaces the whole text as one undo step; false (nothing changed) past the limit. The
    // bytes are in the code page of the text image they were made from.
    bool ReplaceAllText(const CCodePage& cp, const char* pszText);
    bool ReplaceAllText(QString text);
    void ApplyToWholeText(size_t (*pfnEdit)(const CCodePage&, const char*, char*));
    void PlaceGutter();
    // Seeks to the play position of a tag value and shows it.
    void SeekToTag(uint32_t nTagTime);
    void StepVolume(int nStep);
    void OnAudioPrepared(const QString& strPath, MediaPreparedPlayer pPlayer,
                         const std::string& strWhy);
    // The progress slider's range follows the length, which the end of a song may correct.
    void FitProgressRange();

    CGutter* m_pGutter = nullptr;
    QBasicTimer m_timerPlayback; // IDT_PLAYBACK
    int m_nPlaybackInterval = 0;
    std::unique_ptr<QPrinter> m_pPrinter;
    std::unique_ptr<CAudioLoader> m_pAudioLoader;
    bool m_bPlayWhenLoaded = false;
    uint32_t m_nResumeAt = 0; // where a song set up again after a failure plays on from
};

extern CVersewrightView* g_pView;
