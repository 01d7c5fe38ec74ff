#include "app/InfoDlg.h"

#include <QDialog>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QPushButton>

#include "app/DialogTemplate.h"
#include "app/Resource.h"

bool g_bTestInfoOpen = false;

namespace {

const char kTestInfo[] = R"(
Versewright 1.0 测试信息
本程序用于制作和编辑 LRC 歌词文件：边听歌曲边按 Insert 键，即可为每一行歌词加上时间标签。
支持的文件格式：LRC、TXT、LYR、MPT；可以播放系统媒体框架能够播放的各种音频文件（MP3、WMA、WAV 等）。
支持的操作系统语言：简体中文、繁体中文、英文、西班牙文；其他语言的系统使用英文界面。
开发时间：2003年8月至2003年12月。

已知问题：
1. 歌词文本最多 65536 字节，超过部分无法输入或粘贴。
2. 歌曲播放结束时没有通知，进度条和时间显示只是停止前进。
3. 某些没有长度信息的 MP3 文件，刚打开时显示的歌曲长度可能不准确。
4. 标题、演唱者和专辑只从音频文件的 ID3v1 标签读取，不读取 ID3v2 标签。
5. 拖动进度条时，当前歌词的显示要在松开鼠标后才更新。
6. 打印和打印预览使用编辑窗口的字体，不支持分栏打印。
7. 偏移量只在整理歌词时写入时间标签，播放时只影响显示。
8. 帮助文件需要放在程序所在的目录中，否则按 F1 没有反应。
9. 同时打开多个程序窗口时，设置以最后关闭的窗口为准。

修改记录：
2003.12.1  加入本测试信息窗口；修正双字节字符被拆开的问题。
2003.11.20 加入西班牙文界面；菜单显示工具栏图标。
2003.11.5  加入 LYR、MPT 文件转换为 LRC 文件的功能。
2003.10.18 加入“编辑LRC标题头”对话框，可从 ID3v1 标签读取歌曲信息。
2003.10.10 音量可用 Ctrl+上、下方向键调节；控制栏可以停靠在窗口底部。
2003.10.2  加入整理歌词、删除时间标签小数部分等编辑命令。
2003.9.25  加入上一个、下一个时间标签的跳转，以及删除当前时间标签。
2003.9.15  时间标签格式可选择是否带百分之一秒；保存窗口位置、字体和颜色。
2003.8.28  第一个可用版本：打开歌词和音频，播放时按 Insert 键加入时间标签。

致谢：
感谢所有试用本程序并提出意见的朋友，特别是帮助翻译繁体中文和西班牙文界面、
提供 LYR 和 MPT 文件格式资料以及反复测试各种歌词文件的网友。
欢迎继续报告问题和提出建议。
)";

// Works as a plain dialog procedure would: OK (or Enter) asks the box to close, every other
// command (Esc among them) is swallowed, and only the close itself ends the box.
class CTestInfoDlg : public QDialog {
public:
    explicit CTestInfoDlg(QWidget* pOwner) : QDialog(pOwner) {
        setObjectName(QStringLiteral("CTestInfoDlg"));
        setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                       Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
        CDialogTemplate tmpl;
        if (CDialogTemplate::Load(IDD_TEST_INFO, tmpl))
            CreateDialogControls(tmpl, this);
        for (QPushButton* pButton : findChildren<QPushButton*>()) {
            const int nId = DlgCtrlId(pButton);
            pButton->setAutoDefault(false);
            connect(pButton, &QPushButton::clicked, this, [this, nId] { OnCommand(nId); });
        }
    }

    // Returns false when another box is already open: this one ends at once.
    bool OnInitDialog() {
        if (g_bTestInfoOpen)
            return false;
        g_bTestInfoOpen = true;
        if (auto* pText = qobject_cast<QPlainTextEdit*>(FindDlgItem(this, IDC_TEST_INFO)))
            pText->setPlainText(QString::fromUtf8(TestInfoText()));
        return true;
    }

protected:
    void OnCommand(int nId) {
        if (nId == 1)
            QMetaObject::invokeMethod(this, &QWidget::close, Qt::QueuedConnection);
    }
    void keyPressEvent(QKeyEvent* pEvent) override {
        switch (pEvent->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            OnCommand(1);
            return;
        default:
            QDialog::keyPressEvent(pEvent);
        }
    }
    void reject() override { OnCommand(2); } // Esc
    void closeEvent(QCloseEvent*) override {
        done(0);
        g_bTestInfoOpen = false;
    }
};

} // namespace

const char* TestInfoText() {
    return kTestInfo + 1; // after the raw literal's first line break
}

void RunTestInfoDialog(QWidget* pOwner) {
    CTestInfoDlg dlg(pOwner);
    if (!dlg.OnInitDialog())
        return;
    dlg.exec();
}
