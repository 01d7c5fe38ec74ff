#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QWidget>

#include <vector>

#include "app/DialogTemplate.h"

namespace {

struct TemplateCase {
    int nSet;
    int nId;
    const char* caption;
    QSize size;
    const char* font;
    int nPoints;
    std::vector<QString> texts; // labels and buttons, in template order
};

const std::vector<int> kBarIds = {-1, 1001, 1004, -1,   1003, -1,   1012, 1000,
                                  -1, 1002, 1005, 1006, 1008, 1010, 1014, 32780};
const std::vector<int> kTitleIds = {-1, 1007, -1, 1009, -1, 1011, -1, 1013, -1, 1014, 1, 2};

std::vector<int> IdsOf(const CDialogTemplate& t) {
    std::vector<int> ids;
    for (const CDialogControl& c : t.m_controls)
        ids.push_back(c.nId);
    return ids;
}

std::vector<QString> TextsOf(const CDialogTemplate& t) {
    std::vector<QString> texts;
    for (const CDialogControl& c : t.m_controls) {
        if (c.strKind == QLatin1String("static") || c.strKind == QLatin1String("button"))
            texts.push_back(c.strText);
    }
    return texts;
}

QRect Units(const CDialogTemplate& t, int nId) {
    const CDialogControl* c = t.FindControl(nId);
    return c ? c->rcUnits : QRect();
}

} // namespace

TEST(DialogTemplates, ControlBarsHaveTheirControlsTextsAndFonts) {
    const TemplateCase cases[] = {
        {128,
         131,
         "",
         {273, 78},
         "System",
         10,
         {"Audio File:", "Browse...", "Volume:", "Progress:", "Now tag:", "Play", "Pause", "Back",
          "Forward", "Add a tag", "Del now tag"}},
        {140,
         143,
         "",
         {273, 78},
         "Fixedsys",
         12,
         {"音频文件:", "浏览...", "音量调整:", "进度:", "当前标签:", "播放", "暂停", "后退", "前进",
          "插入标签", "删除标签"}},
        {141,
         144,
         "",
         {273, 78},
         "Fixedsys",
         12,
         {"音樂檔案:", "瀏覽...", "音量調整:", "進度:", "當前標簽:", "播放", "暫停", "後退", "前進",
          "插入標簽", "移除標簽"}},
        {142,
         145,
         "",
         {322, 78},
         "System",
         10,
         {"Archivo de audio:", "Navegar ...", "Volumen:", "Progreso:", "Marca actual:",
          "Reproducir", "Pausa", "Atrás", "Adelante", "Añadir marca", "Borrar marca actual"}},
    };
    for (const TemplateCase& c : cases) {
        CDialogTemplate t;
        ASSERT_TRUE(CDialogTemplate::Load(c.nSet, c.nId, t)) << c.nId;
        EXPECT_EQ(IdsOf(t), kBarIds) << c.nId;
        EXPECT_EQ(TextsOf(t), c.texts) << c.nId;
        EXPECT_EQ(t.m_sizeUnits, c.size) << c.nId;
        EXPECT_EQ(t.m_strFontFace, c.font) << c.nId;
        EXPECT_EQ(t.m_nFontPoints, c.nPoints) << c.nId;
        EXPECT_TRUE(t.m_styles.contains("child"));
        EXPECT_TRUE(t.FindControl(1000)->HasStyle("disabled")) << c.nId;
        EXPECT_TRUE(t.FindControl(1001)->HasStyle("readonly")) << c.nId;
        for (int nButton : {1004, 1005, 1006, 1008, 1010, 1014, 32780})
            EXPECT_TRUE(t.FindControl(nButton)->HasStyle("flat")) << nButton;
    }
}

TEST(DialogTemplates, ControlBarGeometry) {
    struct Geometry {
        int nId;
        QRect r131, r143, r145;
    };
    const Geometry rows[] = {
        {1001, {43, 7, 169, 12}, {43, 7, 169, 12}, {67, 7, 196, 12}},
        {1004, {213, 7, 50, 12}, {213, 7, 50, 12}, {264, 7, 50, 12}},
        {1003, {43, 23, 54, 11}, {43, 23, 54, 11}, {67, 23, 54, 11}},
        {1012, {136, 23, 41, 12}, {123, 23, 41, 12}, {160, 23, 41, 12}},
        {1000, {177, 23, 85, 12}, {164, 23, 98, 12}, {201, 23, 112, 12}},
        {1002, {43, 40, 219, 12}, {43, 40, 219, 12}, {67, 40, 246, 12}},
        {1005, {43, 56, 30, 14}, {43, 56, 30, 14}, {40, 56, 40, 14}},
        {1014, {163, 56, 50, 14}, {163, 56, 50, 14}, {200, 56, 47, 14}},
        {32780, {213, 56, 50, 14}, {213, 56, 50, 14}, {247, 56, 67, 14}},
    };
    CDialogTemplate t131, t143, t144, t145;
    ASSERT_TRUE(CDialogTemplate::Load(128, 131, t131));
    ASSERT_TRUE(CDialogTemplate::Load(140, 143, t143));
    ASSERT_TRUE(CDialogTemplate::Load(141, 144, t144));
    ASSERT_TRUE(CDialogTemplate::Load(142, 145, t145));
    for (const Geometry& g : rows) {
        EXPECT_EQ(Units(t131, g.nId), g.r131) << g.nId;
        EXPECT_EQ(Units(t143, g.nId), g.r143) << g.nId;
        EXPECT_EQ(Units(t144, g.nId), g.r143) << g.nId;
        EXPECT_EQ(Units(t145, g.nId), g.r145) << g.nId;
    }
    // Every control lies inside its bar.
    for (const CDialogTemplate* t : {&t131, &t143, &t144, &t145})
        for (const CDialogControl& c : t->m_controls)
            EXPECT_TRUE(QRect(QPoint(0, 0), t->m_sizeUnits).contains(c.rcUnits))
                << t->m_nId << " " << c.strText.toStdString();
}

TEST(DialogTemplates, HeaderDialogs) {
    struct Case {
        int nSet, nId;
        const char* caption;
        const char* font;
        std::vector<QString> texts;
        int nEditX, nEditWidth;
    };
    const Case cases[] = {
        {128,
         133,
         "Edit lrc title",
         "System",
         {"Title:", "Artist:", "Album:", "By:", "Offset:", "OK", "Cancel"},
         41,
         159},
        {140,
         146,
         "编辑LRC标题头",
         "Fixedsys",
         {"标题:", "演唱者:", "专辑:", "编辑者:", "偏移(ms):", "确定", "取消"},
         41,
         159},
        {141,
         147,
         "編輯LRC標題頭",
         "Fixedsys",
         {"標題:", "演唱者:", "專輯:", "編輯者:", "偏移(ms):", "確定", "取消"},
         41,
         159},
        {142,
         148,
         "Editar titulo lrc",
         "System",
         {"Titulo:", "Artista:", "Album:", "Por:", "Desplazamiento:", "Aceptar", "Cancelar"},
         58,
         142},
    };
    const int editYs[] = {13, 29, 45, 61, 78};
    const int editIds[] = {1007, 1009, 1011, 1013, 1014};
    for (const Case& c : cases) {
        CDialogTemplate t;
        ASSERT_TRUE(CDialogTemplate::Load(c.nSet, c.nId, t)) << c.nId;
        EXPECT_EQ(IdsOf(t), kTitleIds) << c.nId;
        EXPECT_EQ(t.m_strCaption, c.caption);
        EXPECT_EQ(t.m_strFontFace, c.font);
        EXPECT_EQ(t.m_sizeUnits, QSize(218, 123));
        EXPECT_EQ(TextsOf(t), c.texts);
        for (int i = 0; i < 5; ++i) {
            EXPECT_EQ(Units(t, editIds[i]), QRect(c.nEditX, editYs[i], c.nEditWidth, 12))
                << c.nId << " " << editIds[i];
            EXPECT_TRUE(t.FindControl(editIds[i])->HasStyle("autohscroll"));
            // The label of each edit ends before the edit starts.
            EXPECT_LE(t.m_controls[2 * i].rcUnits.right(), c.nEditX) << c.nId;
        }
        EXPECT_EQ(Units(t, 1), QRect(57, 102, 50, 14));
        EXPECT_EQ(Units(t, 2), QRect(111, 102, 50, 14));
        EXPECT_TRUE(t.FindControl(1)->HasStyle("default"));
        EXPECT_TRUE(t.m_styles.contains("caption"));
    }
}

TEST(DialogTemplates, SharedTemplatesFoundFromEverySet) {
    for (int nSet : {128, 140, 141, 142}) {
        CDialogTemplate about;
        ASSERT_TRUE(CDialogTemplate::Load(nSet, 100, about)) << nSet;
        EXPECT_EQ(about.m_strCaption, "About Versewright");
        EXPECT_EQ(about.m_sizeUnits, QSize(235, 55));
        EXPECT_EQ(about.m_strFontFace, "MS Sans Serif");
        EXPECT_EQ(about.m_nFontPoints, 8);
        EXPECT_EQ(TextsOf(about), (std::vector<QString>{"Versewright Version 1.0", "OK"}));
        EXPECT_EQ(Units(about, 1), QRect(178, 7, 50, 14));
        EXPECT_EQ(about.m_controls[0].strKind, "icon");
        EXPECT_EQ(about.m_controls[0].rcUnits.topLeft(), QPoint(11, 17));

        CDialogTemplate info;
        ASSERT_TRUE(CDialogTemplate::Load(nSet, 153, info)) << nSet;
        EXPECT_EQ(info.m_strCaption, "Test Information");
        EXPECT_EQ(info.m_sizeUnits, QSize(233, 139));
        EXPECT_EQ(Units(info, 1017), QRect(7, 7, 219, 109));
        EXPECT_TRUE(info.FindControl(1017)->HasStyle("multiline"));
        EXPECT_TRUE(info.FindControl(1017)->HasStyle("readonly"));
        EXPECT_EQ(Units(info, 1), QRect(185, 121, 41, 13));
        EXPECT_FALSE(info.FindControl(1)->HasStyle("default"));
        EXPECT_EQ(TextsOf(info), (std::vector<QString>{"OK", "2003.12.1"}));
    }
    // The per-language templates stay in their own sets.
    CDialogTemplate t;
    EXPECT_FALSE(CDialogTemplate::Load(128, 143, t));
    EXPECT_FALSE(CDialogTemplate::Load(140, 131, t) && t.m_strFontFace == "Fixedsys");
    EXPECT_FALSE(CDialogTemplate::Load(128, 4242, t));
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
    const std::vector<int> expected = {1001, 1004, 1003, 1012, 1000, 1002,
                                       1005, 1006, 1008, 1010, 1014, 32780};
    EXPECT_EQ(order, expected);
}
