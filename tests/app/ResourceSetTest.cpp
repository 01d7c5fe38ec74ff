#include "app/ResourceSet.h"
#include "app/Resource.h"

#include <QRegularExpression>
#include <gtest/gtest.h>

namespace {

constexpr int kSep = 0;

struct SExpectedMenu {
    std::vector<int> ids; // kSep for separators
};

// The menu bar shared by all sets; sets 140 and 141 swap the first two tag-navigation items.
std::vector<SExpectedMenu> ExpectedMenuBar(int nSetId) {
    const bool bNowFirst = nSetId == 140 || nSetId == 141;
    return {
        {{ID_FILE_NEW, ID_FILE_OPEN, ID_FILE_SAVE, ID_FILE_SAVE_AS, kSep, ID_FILE_PRINT,
          ID_FILE_PRINT_PREVIEW, ID_FILE_PRINT_SETUP, kSep, ID_FILE_MRU_FILE1, kSep, ID_APP_EXIT}},
        {{IDC_OPEN_AUDIO, kSep, IDC_PLAY, IDC_PAUSE, IDC_BACK, IDC_FORWARD, ID_PLAY_STOP, kSep,
          bNowFirst ? ID_PLAY_NOW_TAG : ID_PLAY_PREV_TAG,
          bNowFirst ? ID_PLAY_PREV_TAG : ID_PLAY_NOW_TAG, ID_PLAY_NEXT_TAG, kSep, ID_PLAY_VOLUME_UP,
          ID_PLAY_VOLUME_DOWN}},
        {{ID_EDIT_UNDO, kSep, ID_EDIT_CUT, ID_EDIT_COPY, ID_EDIT_PASTE, kSep, ID_EDIT_LRC_TITLE,
          kSep, IDC_ADD_TAG, ID_EDIT_DEL_NOW_TAG, ID_EDIT_DEL_FIRST_TAG, ID_EDIT_DEL_LINE_TAGS,
          ID_EDIT_DEL_ALL_TAGS, ID_EDIT_DEL_FRACTIONS, ID_EDIT_TIDY}},
        {{ID_VIEW_SET_FONT, ID_VIEW_TEXT_COLOR, ID_VIEW_BK_COLOR, kSep, ID_VIEW_TOOLBAR,
          ID_VIEW_EDIT_DIALOGBAR, ID_VIEW_STATUS_BAR}},
        {{ID_LYR_TO_LRC, ID_MPT_TO_LRC}},
        {{ID_HELP_CONTENTS, ID_APP_ABOUT}},
    };
}

const std::vector<QStringList> kTitles = {
    {"&File", "&Play", "&Edit", "&View", "&Tools", "&Help"},
    {"文件(&F)", "播放(&P)", "编辑(&E)", "查看(&V)", "工具(&T)", "帮助(&H)"},
    {"檔案(&F)", "播放(&P)", "編輯(&E)", "檢視(&V)", "工具(&T)", "說明(&H)"},
    {"&Archivo", "&Reproducir", "&Editar", "&Ver", "&Herramientas", "&Ayuda"},
};
const int kSetIds[] = {128, 140, 141, 142};

// The key name after the tab in a menu text, as the accelerator table spells it.
QKeySequence KeyOfMenuText(const QString& strKey) {
    QString str = strKey;
    str.replace(QStringLiteral("Enter"), QStringLiteral("Return"));
    str.replace(QStringLiteral("Insert"), QStringLiteral("Ins"));
    return QKeySequence::fromString(str, QKeySequence::PortableText);
}

class ResourceSetTest : public ::testing::TestWithParam<int> {};

TEST_P(ResourceSetTest, MenuBarHasEveryItemInOrder) {
    const int nIndex = GetParam();
    CResourceSet set;
    ASSERT_TRUE(set.Load(kSetIds[nIndex]));
    const auto expected = ExpectedMenuBar(kSetIds[nIndex]);
    ASSERT_EQ(set.Menu().size(), qsizetype(expected.size()));
    for (size_t m = 0; m < expected.size(); ++m) {
        const SMenuEntry& popup = set.Menu()[m];
        EXPECT_TRUE(popup.IsPopup());
        EXPECT_EQ(popup.strText, kTitles[nIndex][m]);
        ASSERT_EQ(popup.items.size(), qsizetype(expected[m].ids.size())) << "menu " << m;
        for (size_t i = 0; i < expected[m].ids.size(); ++i) {
            const SMenuEntry& item = popup.items[i];
            SCOPED_TRACE(item.strText.toStdString());
            if (expected[m].ids[i] == kSep) {
                EXPECT_TRUE(item.bSeparator) << "menu " << m << " item " << i;
                continue;
            }
            EXPECT_FALSE(item.bSeparator);
            EXPECT_EQ(item.nId, expected[m].ids[i]) << "menu " << m << " item " << i;
            EXPECT_FALSE(item.strText.trimmed().isEmpty());
            EXPECT_LE(item.strText.toLocal8Bit().size(), 127) << "fits a menu record";
            EXPECT_EQ(item.bGrayed, item.nId == ID_FILE_MRU_FILE1);
        }
    }
}

TEST_P(ResourceSetTest, KeyNamesInMenuTextsMatchTheAcceleratorTable) {
    CResourceSet set;
    ASSERT_TRUE(set.Load(kSetIds[GetParam()]));
    int nWithKey = 0;
    for (const SMenuEntry& popup : set.Menu()) {
        for (const SMenuEntry& item : popup.items) {
            const qsizetype nTab = item.strText.indexOf(QLatin1Char('\t'));
            if (nTab < 0)
                continue;
            ++nWithKey;
            const QKeySequence key = KeyOfMenuText(item.strText.mid(nTab + 1));
            // Ctrl+C is the editor's own key for Copy; the table has Ctrl+Insert instead.
            bool bFound = key == QKeySequence(QStringLiteral("Ctrl+C")) && item.nId == ID_EDIT_COPY;
            for (const SAccelerator& accel : set.Accelerators())
                bFound |= accel.key == key && accel.nCommand == item.nId;
            EXPECT_TRUE(bFound) << item.strText.toStdString();
        }
    }
    EXPECT_EQ(nWithKey, 16);
}

TEST_P(ResourceSetTest, MnemonicsAreSingleAndNotLast) {
    CResourceSet set;
    ASSERT_TRUE(set.Load(kSetIds[GetParam()]));
    static const QRegularExpression reAmp(QStringLiteral("&(?!&)"));
    for (const SMenuEntry& popup : set.Menu()) {
        EXPECT_EQ(popup.strText.count(reAmp), 1) << popup.strText.toStdString();
        for (const SMenuEntry& item : popup.items) {
            const QString strLabel = item.strText.section(QLatin1Char('\t'), 0, 0);
            EXPECT_LE(strLabel.count(reAmp), 1) << strLabel.toStdString();
            EXPECT_FALSE(strLabel.endsWith(QLatin1Char('&')));
        }
    }
}

INSTANTIATE_TEST_SUITE_P(AllSets, ResourceSetTest, ::testing::Values(0, 1, 2, 3));

TEST(ResourceSetAccelerators, IdenticalInAllSetsAndComplete) {
    struct SRow {
        const char* pszKey;
        int nCommand;
    };
    const SRow rows[] = {
        {"Ctrl+A", ID_EDIT_SELECT_TEXT},
        {"Ctrl+N", ID_FILE_NEW},
        {"Ctrl+O", ID_FILE_OPEN},
        {"Ctrl+P", ID_FILE_PRINT},
        {"Ctrl+Q", ID_PLAY_STOP},
        {"Ctrl+S", ID_FILE_SAVE},
        {"Ctrl+V", ID_EDIT_PASTE},
        {"Alt+Backspace", ID_EDIT_UNDO},
        {"Shift+Del", ID_EDIT_CUT},
        {"Ctrl+Down", ID_PLAY_VOLUME_DOWN},
        {"Esc", ID_PLAY_NOW_TAG},
        {"F1", ID_HELP_CONTENTS},
        {"F6", ID_NEXT_PANE},
        {"Shift+F6", ID_PREV_PANE},
        {"Ins", IDC_ADD_TAG},
        {"Ctrl+Ins", ID_EDIT_COPY},
        {"Shift+Ins", ID_EDIT_PASTE},
        {"Ctrl+Left", ID_PLAY_PREV_TAG},
        {"Ctrl+Return", IDC_PLAY},
        {"Ctrl+Right", ID_PLAY_NEXT_TAG},
        {"Ctrl+Up", ID_PLAY_VOLUME_UP},
        {"Ctrl+X", ID_EDIT_CUT},
        {"Ctrl+Z", ID_EDIT_UNDO},
    };
    for (int nSetId : kSetIds) {
        CResourceSet set;
        ASSERT_TRUE(set.Load(nSetId));
        ASSERT_EQ(set.Accelerators().size(), qsizetype(std::size(rows))) << nSetId;
        for (size_t i = 0; i < std::size(rows); ++i) {
            EXPECT_EQ(set.Accelerators()[i].key,
                      QKeySequence::fromString(QString::fromLatin1(rows[i].pszKey)))
                << nSetId << " " << rows[i].pszKey;
            EXPECT_EQ(set.Accelerators()[i].nCommand, rows[i].nCommand) << rows[i].pszKey;
        }
    }
}

TEST(ResourceSetDocument, StringsAndFields) {
    const QString strSpaced =
        "Versewright\n\nLrc\nLrc Files (*.lrc)\n.lrc\nVersewright.Document\nLrc Document";
    const QString strTight =
        "Versewright\n\nLrc\nLrc Files(*.lrc)\n.lrc\nVersewright.Document\nLrc Document";
    const struct {
        int nSetId;
        QString strDoc;
    } rows[] = {{128, strSpaced}, {140, strTight}, {141, strSpaced}, {142, strTight}};
    for (const auto& row : rows) {
        CResourceSet set;
        ASSERT_TRUE(set.Load(row.nSetId));
        EXPECT_EQ(set.Id(), row.nSetId);
        EXPECT_EQ(set.DocumentString(), row.strDoc) << row.nSetId;
        EXPECT_EQ(set.DocumentField(0), "Versewright");
        EXPECT_EQ(set.DocumentField(1), "");
        EXPECT_EQ(set.DocumentField(4), ".lrc");
        EXPECT_EQ(set.DocumentField(6), "Lrc Document");
        EXPECT_EQ(set.DocumentField(7), "");
    }
}

TEST(ResourceSetLoad, UnknownSetLeavesItEmpty) {
    CResourceSet set;
    ASSERT_TRUE(set.Load(128));
    EXPECT_FALSE(set.Load(129));
    EXPECT_EQ(set.Id(), 0);
    EXPECT_TRUE(set.Menu().isEmpty());
    EXPECT_TRUE(set.Accelerators().isEmpty());
}

} // namespace
