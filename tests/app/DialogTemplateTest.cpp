#include <gtest/gtest.h>

#include <QApplication>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QWidget>

#include <algorithm>
#include <cstdlib>
#include <vector>

#include "app/DialogTemplate.h"
#include "app/ResourceSet.h"

namespace {

const int kSets[] = {128, 140, 141, 142};

// The templates a set holds itself, by id (the shared ones stand in the English set only).
std::vector<int> TemplateIdsOf(int nSet) {
    EnsureResources();
    QFile file(QStringLiteral(":/resources/set%1.json").arg(nSet));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    std::vector<int> ids;
    const QJsonObject dialogs =
        QJsonDocument::fromJson(file.readAll()).object()["dialogs"].toObject();
    for (const QString& strKey : dialogs.keys())
        ids.push_back(strKey.toInt());
    std::sort(ids.begin(), ids.end());
    return ids;
}

std::vector<CDialogTemplate> TemplatesOf(int nSet) {
    std::vector<CDialogTemplate> out;
    for (int nId : TemplateIdsOf(nSet)) {
        out.emplace_back();
        EXPECT_TRUE(CDialogTemplate::Load(nSet, nId, out.back())) << nSet << " " << nId;
    }
    return out;
}

QString Quoted(QString str) {
    str.replace('\\', "\\\\").replace('"', "\\\"").replace('\n', "\\n").replace('\r', "\\r");
    return '"' + str + '"';
}

QString Rect(const QRect& r) {
    return QStringLiteral("%1,%2,%3,%4").arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height());
}

// One line per template and one per control, as the program loads them.
QString Dump(int nSet, const CDialogTemplate& t) {
    QString out = QStringLiteral("%1 %2 dialog %3 %4x%5 %6 %7 [%8]\n")
                      .arg(nSet)
                      .arg(t.m_nId)
                      .arg(Quoted(t.m_strCaption))
                      .arg(t.m_sizeUnits.width())
                      .arg(t.m_sizeUnits.height())
                      .arg(Quoted(t.m_strFontFace))
                      .arg(t.m_nFontPoints)
                      .arg(t.m_styles.join(' '));
    for (const CDialogControl& c : t.m_controls)
        out += QStringLiteral("%1 %2   %3 %4 %5 %6 %7 [%8]\n")
                   .arg(nSet)
                   .arg(t.m_nId)
                   .arg(c.strKind)
                   .arg(c.nId)
                   .arg(c.strName.isEmpty() ? QStringLiteral("-") : c.strName)
                   .arg(Quoted(c.strText))
                   .arg(Rect(c.rcUnits))
                   .arg(c.styles.join(' '));
    return out;
}

std::vector<int> IdsOf(const CDialogTemplate& t) {
    std::vector<int> ids;
    for (const CDialogControl& c : t.m_controls)
        ids.push_back(c.nId);
    return ids;
}

} // namespace

// Every template of every set, compared with the reviewed copy beside this test.
TEST(DialogTemplates, MatchTheReviewedDump) {
    QString strDump = QStringLiteral(
        "# set template dialog caption size font points [styles]\n"
        "# set template   kind id name text x,y,width,height [styles]   (in dialog units)\n"
        "# Written by DialogTemplateTest with VERSEWRIGHT_UPDATE_GOLDEN=1.\n");
    for (int nSet : kSets)
        for (const CDialogTemplate& t : TemplatesOf(nSet))
            strDump += Dump(nSet, t);
    const QString strPath = QStringLiteral(DIALOG_TEMPLATES_GOLDEN);
    QFile golden(strPath);
    if (qEnvironmentVariableIntValue("VERSEWRIGHT_UPDATE_GOLDEN") == 1) {
        ASSERT_TRUE(golden.open(QIODevice::WriteOnly | QIODevice::Truncate))
            << strPath.toStdString();
        golden.write(strDump.toUtf8());
        ASSERT_TRUE(golden.flush()) << strPath.toStdString();
        GTEST_SKIP() << "rewrote " << strPath.toStdString() << ": review its diff";
    }
    ASSERT_TRUE(golden.open(QIODevice::ReadOnly)) << strPath.toStdString();
    const QStringList want = QString::fromUtf8(golden.readAll()).split('\n');
    const QStringList now = strDump.split('\n');
    std::string diff;
    for (qsizetype i = 0, nShown = 0; i < std::max(want.size(), now.size()) && nShown < 10; ++i) {
        if (want.value(i) == now.value(i))
            continue;
        ++nShown;
        diff += QStringLiteral("line %1\n  file: %2\n  now:  %3\n")
                    .arg(i + 1)
                    .arg(want.value(i), now.value(i))
                    .toStdString();
    }
    EXPECT_TRUE(diff.empty()) << "The dialog templates differ from " << strPath.toStdString()
                              << ". If the change is meant, run this test with "
                                 "VERSEWRIGHT_UPDATE_GOLDEN=1 to rewrite the file, and review "
                                 "its diff.\n"
                              << diff;
}

// The program finds the controls of every language by the same ids, in the same tab order.
TEST(DialogTemplates, EveryLanguageHasTheEnglishControls) {
    const struct {
        int nEnglish;
        std::pair<int, int> local[3]; // set, template
    } cases[] = {
        {131, {{140, 143}, {141, 144}, {142, 145}}}, // the control bar
        {133, {{140, 146}, {141, 147}, {142, 148}}}, // the header dialog
    };
    for (const auto& c : cases) {
        CDialogTemplate english;
        ASSERT_TRUE(CDialogTemplate::Load(128, c.nEnglish, english));
        for (const auto& [nSet, nId] : c.local) {
            CDialogTemplate t;
            ASSERT_TRUE(CDialogTemplate::Load(nSet, nId, t)) << nId;
            EXPECT_EQ(t.m_styles, english.m_styles) << nId;
            ASSERT_EQ(IdsOf(t), IdsOf(english)) << nId;
            for (qsizetype i = 0; i < t.m_controls.size(); ++i) {
                EXPECT_EQ(t.m_controls[i].strKind, english.m_controls[i].strKind)
                    << nId << " " << i;
                EXPECT_EQ(t.m_controls[i].styles, english.m_controls[i].styles) << nId << " " << i;
            }
        }
    }
}

TEST(DialogTemplates, ControlsLieInsideTheirDialog) {
    for (int nSet : kSets)
        for (const CDialogTemplate& t : TemplatesOf(nSet))
            for (const CDialogControl& c : t.m_controls)
                EXPECT_TRUE(QRect(QPoint(0, 0), t.m_sizeUnits).contains(c.rcUnits))
                    << t.m_nId << " " << c.strText.toStdString();
}

TEST(DialogTemplates, Lookups) {
    struct Case {
        int nSet; // 0: from whichever set holds it
        int nId;
        int nFromSet; // the set the template comes from; 0 when none holds it
    };
    const Case cases[] = {
        {140, 100, 128}, {141, 153, 128}, {142, 100, 128}, // shared, from the English set
        {140, 131, 128}, {142, 133, 128},                  // another language's falls back
        {128, 143, 0},   {128, 4242, 0},  {140, 4242, 0},  // the English set has no others
        {0, 145, 142},   {0, 146, 140},   {0, 100, 128},   {0, 4242, 0},
    };
    for (const Case& c : cases) {
        CDialogTemplate t;
        const bool bLoaded =
            c.nSet ? CDialogTemplate::Load(c.nSet, c.nId, t) : CDialogTemplate::Load(c.nId, t);
        ASSERT_EQ(bLoaded, c.nFromSet != 0) << c.nSet << " " << c.nId;
        if (!bLoaded)
            continue;
        CDialogTemplate expected;
        ASSERT_TRUE(CDialogTemplate::Load(c.nFromSet, c.nId, expected));
        EXPECT_EQ(Dump(0, t), Dump(0, expected)) << c.nSet << " " << c.nId;
        EXPECT_EQ(t.FindControl(4242), nullptr);
    }
}

TEST(DialogUnits, Conversion) {
    struct Case {
        int nBaseX, nBaseY;
        QRect units;
        QRect pixels;
    };
    const Case cases[] = {
        {8, 16, {4, 8, 35, 8}, {8, 16, 70, 16}},      {8, 16, {0, 0, 273, 78}, {0, 0, 546, 156}},
        {6, 13, {43, 7, 169, 12}, {65, 11, 254, 20}}, // 64.5, 11.375, 253.5, 19.5 rounded
        {7, 15, {1, 1, 2, 3}, {2, 2, 4, 6}},          // 1.75, 1.875, 3.5, 5.625 rounded
        {5, 12, {0, 0, 0, 0}, {0, 0, 0, 0}},
    };
    for (const Case& c : cases) {
        const CDialogUnits u{c.nBaseX, c.nBaseY};
        EXPECT_EQ(u.ToPixels(c.units), c.pixels) << c.nBaseX << "x" << c.nBaseY;
    }
}

TEST(DialogUnits, BaseUnitsGrowWithTheFont) {
    QFont small = QApplication::font();
    small.setPointSize(8);
    QFont large = small;
    large.setPointSize(16);
    const CDialogUnits a = CDialogUnits::FromFont(small);
    const CDialogUnits b = CDialogUnits::FromFont(large);
    EXPECT_GT(a.nBaseX, 0);
    EXPECT_GT(a.nBaseY, 0);
    EXPECT_GT(b.nBaseX, a.nBaseX);
    EXPECT_GT(b.nBaseY, a.nBaseY);
}

TEST(DialogWidgets, ControlsArePlacedFromTheTemplateFont) {
    for (const auto& [nSet, nId] : {std::pair{128, 131}, {140, 143}, {142, 145}, {128, 133}}) {
        CDialogTemplate t;
        ASSERT_TRUE(CDialogTemplate::Load(nSet, nId, t));
        QWidget parent;
        const QSize size = CreateDialogControls(t, &parent);
        const CDialogUnits u = CDialogUnits::FromFont(t.Font());
        EXPECT_EQ(size, u.ToPixels(t.m_sizeUnits));
        EXPECT_EQ(parent.size(), size);
        for (const CDialogControl& c : t.m_controls) {
            if (c.nId == -1)
                continue;
            QWidget* w = FindDlgItem(&parent, c.nId);
            ASSERT_NE(w, nullptr) << c.nId;
            EXPECT_EQ(DlgCtrlId(w), c.nId);
            EXPECT_EQ(w->geometry(), u.ToPixels(c.rcUnits)) << c.nId;
            EXPECT_EQ(w->objectName(), c.strName);
        }
        if (nId == 133) {
            EXPECT_EQ(parent.windowTitle(), "Edit lrc title");
            EXPECT_EQ(parent.minimumSize(), parent.maximumSize());
        }
    }
}

TEST(DialogWidgets, KindsStylesAndTabOrder) {
    CDialogTemplate t;
    ASSERT_TRUE(CDialogTemplate::Load(128, 131, t));
    QWidget parent;
    CreateDialogControls(t, &parent);
    auto* progress = qobject_cast<QSlider*>(FindDlgItem(&parent, 1000));
    ASSERT_NE(progress, nullptr);
    EXPECT_FALSE(progress->isEnabled());
    EXPECT_EQ(progress->orientation(), Qt::Horizontal);
    EXPECT_EQ(progress->tickPosition(), QSlider::NoTicks);
    auto* time = qobject_cast<QLineEdit*>(FindDlgItem(&parent, 1012));
    ASSERT_NE(time, nullptr);
    EXPECT_TRUE(time->isReadOnly());
    EXPECT_EQ(time->alignment() & Qt::AlignHCenter, Qt::AlignHCenter);
    auto* play = qobject_cast<QPushButton*>(FindDlgItem(&parent, 1005));
    ASSERT_NE(play, nullptr);
    EXPECT_FALSE(play->isFlat()) << "drawn with its border";
    EXPECT_EQ(play->text(), "Play");
    EXPECT_EQ(DlgCtrlId(&parent), 0);
    EXPECT_EQ(FindDlgItem(&parent, 4242), nullptr);

    // Tab goes through the tab stops in template order.
    std::vector<int> order;
    QWidget* w = FindDlgItem(&parent, 1001);
    for (int i = 0; i < 32 && w; ++i) {
        if (w->focusPolicy() & Qt::TabFocus)
            order.push_back(DlgCtrlId(w));
        w = w->nextInFocusChain();
        if (w == FindDlgItem(&parent, 1001))
            break;
    }
    std::vector<int> expected;
    for (const CDialogControl& c : t.m_controls)
        if (c.HasStyle("tabstop"))
            expected.push_back(c.nId);
    EXPECT_EQ(expected.size(), 12u);
    EXPECT_EQ(order, expected);
}
