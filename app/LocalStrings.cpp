#include "app/LocalStrings.h"

const uint32_t g_localStringIds[kLocalStringCount] = {
    1005,  1006,  1008,  1010,  1014,  32772, 32779, 32780, 32782, 57344, 57345, 57600,
    57601, 57602, 57603, 57604, 57605, 57606, 57607, 57609, 57634, 57635, 57636, 57637,
    57642, 57643, 57644, 57664, 57665, 59392, 59393, 32785, 32786, 32771, 32787, 1004,
};

namespace {
// The program's title, one text for the English and both Chinese columns.
const char kAppTitle[] = "Versewright";
} // namespace

// Non-ASCII bytes are written as octal escapes in the column's code page; the line above
// such an entry shows the text as it reads.
// clang-format off
const char* const g_localStrings[kLocalLanguageCount][kLocalStringCount] = {
    {
        // English, Windows-1252
        "Play music\nPlay music", // 1005
        "Pause music\nPause music", // 1006
        "go back 5 seconds\ngo back 5 seconds", // 1008
        "go forward 5 seconds\ngo forward 5 seconds", // 1010
        "Add a time tag\nAdd a time tag", // 1014
        "Edit lrc title\nEdit lrc title", // 32772
        "Stop music\nStop music", // 32779
        "Del now time tag\nDel now time tag", // 32780
        "Set time lable format\nTime lable format", // 32782
        kAppTitle, // 57344
        "Ready", // 57345
        "Create a new LRC document\nNew", // 57600
        "Open an existing document\nOpen", // 57601
        "Close the active document\nClose", // 57602
        "Save the active document\nSave", // 57603
        "Save the active document with a new name\nSave As", // 57604
        "Change the printing options\nPage Setup", // 57605
        "Change the printer and printing options\nPrint Setup", // 57606
        "Print the active document\nPrint", // 57607
        "Display full pages\nPrint Preview", // 57609
        "Copy the selection and put it on the Clipboard\nCopy", // 57634
        "Cut the selection and put it on the Clipboard\nCut", // 57635
        "Find the specified text\nFind", // 57636
        "Insert Clipboard contents\nPaste", // 57637
        "Select the entire document\nSelect All", // 57642
        "Undo the last action\nUndo", // 57643
        "Redo the previously undone action\nRedo", // 57644
        "Display program information, version number and copyright\nAbout", // 57664
        "Quit the application; prompts to save documents\nExit", // 57665
        "Show or hide the toolbar\nToggle ToolBar", // 59392
        "Show or hide the status bar\nToggle StatusBar", // 59393
        "Translate LYR document to LRC document", // 32785
        "Translate MPT file to LRC document", // 32786
        "Show or hide the edit dialogbar\nToggle EditDialogBar", // 32771
        "Displays the table of contents", // 32787
        "Browse for Open a audio file\nOpen audio file", // 1004
    },
    {
        // Simplified Chinese, code page 936
        // 播放音乐文件\n播放
        "\262\245\267\305\322\364\300\326\316\304\274\376\n\262\245\267\305", // 1005
        // 暂停播放音乐\n暂停
        "\324\335\315\243\262\245\267\305\322\364\300\326\n\324\335\315\243", // 1006
        // 后退5秒\n后退5秒
        "\272\363\315\3135\303\353\n\272\363\315\3135\303\353", // 1008
        // 前进5秒\n前进5秒
        "\307\260\275\3705\303\353\n\307\260\275\3705\303\353", // 1010
        // 插入时间标签\n插入时间标签
        "\262\345\310\353\312\261\274\344\261\352\307\251\n\262\345\310\353\312\261\274\344\261\352\307\251", // 1014
        // 编辑LRC标题头\n编辑LRC标题头
        "\261\340\274\255LRC\261\352\314\342\315\267\n\261\340\274\255LRC\261\352\314\342\315\267", // 32772
        // 停止播放音乐\n停止
        "\315\243\326\271\262\245\267\305\322\364\300\326\n\315\243\326\271", // 32779
        // 删除当前时间标签\n删除当前时间标签
        "\311\276\263\375\265\261\307\260\312\261\274\344\261\352\307\251\n\311\276\263\375\265\261\307\260\312\261\274\344\261\352\307\251", // 32780
        // 设置时间标签格式\n设置时间标签格式
        "\311\350\326\303\312\261\274\344\261\352\307\251\270\361\312\275\n\311\350\326\303\312\261\274\344\261\352\307\251\270\361\312\275", // 32782
        kAppTitle, // 57344
        // 就绪
        "\276\315\320\367", // 57345
        // 创建LRC新文档\n新建
        "\264\264\275\250LRC\320\302\316\304\265\265\n\320\302\275\250", // 57600
        // 打开一个已有的歌词文档\n打开
        "\264\362\277\252\322\273\270\366\322\321\323\320\265\304\270\350\264\312\316\304\265\265\n\264\362\277\252", // 57601
        // 关闭活动文档\n关闭文档
        "\271\330\261\325\273\356\266\257\316\304\265\265\n\271\330\261\325\316\304\265\265", // 57602
        // 保存活动文档\n保存
        "\261\243\264\346\273\356\266\257\316\304\265\265\n\261\243\264\346", // 57603
        // 使用另一名称/格式保存活动文档\n另存为
        "\312\271\323\303\301\355\322\273\303\373\263\306/\270\361\312\275\261\243\264\346\273\356\266\257\316\304\265\265\n\301\355\264\346\316\252", // 57604
        // 设置页面标题和注脚\n页面设置
        "\311\350\326\303\322\263\303\346\261\352\314\342\272\315\327\242\275\305\n\322\263\303\346\311\350\326\303", // 57605
        // 更改打印机和打印选项\n打印设置
        "\270\374\270\304\264\362\323\241\273\372\272\315\264\362\323\241\321\241\317\356\n\264\362\323\241\311\350\326\303", // 57606
        // 打印活动文档\n打印
        "\264\362\323\241\273\356\266\257\316\304\265\265\n\264\362\323\241", // 57607
        // 预览文件打印后的效果\n打印预览
        "\324\244\300\300\316\304\274\376\264\362\323\241\272\363\265\304\320\247\271\373\n\264\362\323\241\324\244\300\300", // 57609
        // 复制选定部分到剪贴板\n复制
        "\270\264\326\306\321\241\266\250\262\277\267\326\265\275\274\364\314\371\260\345\n\270\264\326\306", // 57634
        // 剪切选定部分到剪贴板\n剪切
        "\274\364\307\320\321\241\266\250\262\277\267\326\265\275\274\364\314\371\260\345\n\274\364\307\320", // 57635
        // 查找指定文本\n查找
        "\262\351\325\322\326\270\266\250\316\304\261\276\n\262\351\325\322", // 57636
        // 插入剪贴板内容\n粘贴
        "\262\345\310\353\274\364\314\371\260\345\304\332\310\335\n\325\263\314\371", // 57637
        // 选定整个文档\n全部选定
        "\321\241\266\250\325\373\270\366\316\304\265\265\n\310\253\262\277\321\241\266\250", // 57642
        // 撤消上次操作\n撤消
        "\263\267\317\373\311\317\264\316\262\331\327\367\n\263\267\317\373", // 57643
        // 重做上次撤消的操作\n重做
        "\326\330\327\366\311\317\264\316\263\267\317\373\265\304\262\331\327\367\n\326\330\327\366", // 57644
        // 显示程序信息、版本和版权\n关于
        "\317\324\312\276\263\314\320\362\320\305\317\242\241\242\260\346\261\276\272\315\260\346\310\250\n\271\330\323\332", // 57664
        // 退出程序并提示保存文档\n退出
        "\315\313\263\366\263\314\320\362\262\242\314\341\312\276\261\243\264\346\316\304\265\265\n\315\313\263\366", // 57665
        // 显示或隐藏工具栏\n显隐工具栏
        "\317\324\312\276\273\362\322\376\262\330\271\244\276\337\300\270\n\317\324\322\376\271\244\276\337\300\270", // 59392
        // 显示或隐藏状态栏\n显隐状态栏
        "\317\324\312\276\273\362\322\376\262\330\327\264\314\254\300\270\n\317\324\322\376\327\264\314\254\300\270", // 59393
        // 把LYR文档转换为LRC文档
        "\260\321LYR\316\304\265\265\327\252\273\273\316\252LRC\316\304\265\265", // 32785
        // 把MPT文件转换为LRC文档
        "\260\321MPT\316\304\274\376\327\252\273\273\316\252LRC\316\304\265\265", // 32786
        // 显示或隐藏编辑对话条\n显隐编辑对话条
        "\317\324\312\276\273\362\322\376\262\330\261\340\274\255\266\324\273\260\314\365\n\317\324\322\376\261\340\274\255\266\324\273\260\314\365", // 32771
        // 列出帮助主题
        "\301\320\263\366\260\357\326\372\326\367\314\342", // 32787
        // 浏览并打开音频文件\n打开音频文件
        "\344\257\300\300\262\242\264\362\277\252\322\364\306\265\316\304\274\376\n\264\362\277\252\322\364\306\265\316\304\274\376", // 1004
    },
    {
        // Traditional Chinese, code page 950
        // 播放音樂檔案\n播放
        "\274\275\251\361\255\265\274\326\300\311\256\327\n\274\275\251\361", // 1005
        // 暫停播放音樂\n暫停
        "\274\310\260\261\274\275\251\361\255\265\274\326\n\274\310\260\261", // 1006
        // 後退5秒\n後退5秒
        "\253\341\260h5\254\355\n\253\341\260h5\254\355", // 1008
        // 前進5秒\n前進5秒
        "\253e\266i5\254\355\n\253e\266i5\254\355", // 1010
        // 插入時間標簽\n插入時間標簽
        "\264\241\244J\256\311\266\241\274\320\303\261\n\264\241\244J\256\311\266\241\274\320\303\261", // 1014
        // 編輯LRC標題頭\n編輯LRC標題頭
        "\275s\277\350LRC\274\320\303D\300Y\n\275s\277\350LRC\274\320\303D\300Y", // 32772
        // 停止播放音樂\n停止
        "\260\261\244\356\274\275\251\361\255\265\274\326\n\260\261\244\356", // 32779
        // 移除當前時間標簽\n移除當前時間標簽
        "\262\276\260\243\267\355\253e\256\311\266\241\274\320\303\261\n\262\276\260\243\267\355\253e\256\311\266\241\274\320\303\261", // 32780
        // 設定時間標簽格式\n設定時間標簽格式
        "\263]\251w\256\311\266\241\274\320\303\261\256\346\246\241\n\263]\251w\256\311\266\241\274\320\303\261\256\346\246\241", // 32782
        kAppTitle, // 57344
        // 就緒
        "\264N\272\374", // 57345
        // 創建LRC新檔案\n開新檔案
        "\263\320\253\330LRC\267s\300\311\256\327\n\266}\267s\300\311\256\327", // 57600
        // 開啟一個已有的歌詞檔案\n開啟檔案
        "\266}\261\322\244@\255\323\244w\246\263\252\272\272q\265\374\300\311\256\327\n\266}\261\322\300\311\256\327", // 57601
        // 關閉活動檔案\n關閉檔案
        "\303\366\263\254\254\241\260\312\300\311\256\327\n\303\366\263\254\300\311\256\327", // 57602
        // 儲存活動檔案\n儲存檔案
        "\300x\246s\254\241\260\312\300\311\256\327\n\300x\246s\300\311\256\327", // 57603
        // 使用另一名稱/格式保存活動檔案\n另存為
        "\250\317\245\316\245t\244@\246W\272\331/\256\346\246\241\253O\246s\254\241\260\312\300\311\256\327\n\245t\246s\254\260", // 57604
        // 設定頁面標題和注腳\n設定頁面格式
        "\263]\251w\255\266\255\261\274\320\303D\251M\252`\270}\n\263]\251w\255\266\255\261\256\346\246\241", // 57605
        // 變更版面配置\n變更版面配置
        "\305\334\247\363\252\251\255\261\260t\270m\n\305\334\247\363\252\251\255\261\260t\270m", // 57606
        // 列印使用中的文件\n列印
        "\246C\246L\250\317\245\316\244\244\252\272\244\345\245\363\n\246C\246L", // 57607
        // 顯示全頁\n預覽列印
        "\305\343\245\334\245\376\255\266\n\271w\304\375\246C\246L", // 57609
        // 複製選定部分到剪貼薄\n複製
        "\275\306\273s\277\357\251w\263\241\244\300\250\354\260\305\266K\301\241\n\275\306\273s", // 57634
        // 剪下選定部分到剪貼薄\n剪下
        "\260\305\244U\277\357\251w\263\241\244\300\250\354\260\305\266K\301\241\n\260\305\244U", // 57635
        // 查找指定文本\n查找
        "\254d\247\344\253\374\251w\244\345\245\273\n\254d\247\344", // 57636
        // 插入剪貼薄內容\n貼上
        "\264\241\244J\260\305\266K\301\241\244\272\256e\n\266K\244W", // 57637
        // 選定整個檔案內容\n全部選定
        "\277\357\251w\276\343\255\323\300\311\256\327\244\272\256e\n\245\376\263\241\277\357\251w", // 57642
        // 取消上次的動作\n復原
        "\250\372\256\370\244W\246\270\252\272\260\312\247@\n\264_\255\354", // 57643
        // 重做上次取消的動作\n重做
        "\255\253\260\265\244W\246\270\250\372\256\370\252\272\260\312\247@\n\255\253\260\265", // 57644
        // 顯示程式資訊、版本編號和版權\n關于
        "\305\343\245\334\265{\246\241\270\352\260T\241B\252\251\245\273\275s\270\271\251M\252\251\305v\n\303\366\244_", // 57664
        // 結束程式并提示儲存檔案\n結束
        "\265\262\247\364\265{\246\241\246}\264\243\245\334\300x\246s\300\311\256\327\n\265\262\247\364", // 57665
        // 顯示或隱藏工具列\n顯隱工具列
        "\305\343\245\334\251\316\301\364\302\303\244u\250\343\246C\n\305\343\301\364\244u\250\343\246C", // 59392
        // 顯示或隱藏狀態列\n顯隱狀態列
        "\305\343\245\334\251\316\301\364\302\303\252\254\272A\246C\n\305\343\301\364\252\254\272A\246C", // 59393
        // 把LYR檔案轉換為LRC檔案
        "\247\342LYR\300\311\256\327\302\340\264\253\254\260LRC\300\311\256\327", // 32785
        // 把MPT檔案轉換為LRC檔案
        "\247\342MPT\300\311\256\327\302\340\264\253\254\260LRC\300\311\256\327", // 32786
        // 顯示或隱藏編輯對話列\n顯隱編輯對話列
        "\305\343\245\334\251\316\301\364\302\303\275s\277\350\271\357\270\334\246C\n\305\343\301\364\275s\277\350\271\357\270\334\246C", // 32771
        // 顯示說明主題
        "\305\343\245\334\273\241\251\372\245D\303D", // 32787
        // 瀏覽并開啟音樂檔案\n開啟音樂檔案
        "\302s\304\375\246}\266}\261\322\255\265\274\326\300\311\256\327\n\266}\261\322\255\265\274\326\300\311\256\327", // 1004
    },
    {
        // Spanish, Windows-1252
        // Reproducir música\n Reproducir música
        "Reproducir m\372sica\n Reproducir m\372sica", // 1005
        // Pausa música\nPausa música
        "Pausa m\372sica\nPausa m\372sica", // 1006
        "retroceder 5 segundos\nretroceder 5 segundos", // 1008
        "avanzar 5 segundos\nvanzar 5 segundos", // 1010
        // Añadir una marca de tiempo\n Añadir una marca de tiempo
        "A\361adir una marca de tiempo\n A\361adir una marca de tiempo", // 1014
        "Editar titulo lrc\n Editar titulo lrc", // 32772
        // Parar música\nParar música
        "Parar m\372sica\nParar m\372sica", // 32779
        "Borrar marca de tiempo\nBorrar marca de tiempo", // 32780
        "Configurar formato tabla de tiempo\n Configurar formato tabla de tiempo", // 32782
        "Versewright", // 57344
        "Preparado", // 57345
        "Crear un nuevo documento LRC\nNuevo", // 57600
        "Abrir un documento existente\nAbrir", // 57601
        "Cerrar documento activo\nCerrar", // 57602
        "Grabar el documento activo\nGrabar", // 57603
        "Grabar el documento activo con un nuevo nombre\nGrabar como", // 57604
        // Cambiar opciones de impresión\nConfigurar página
        "Cambiar opciones de impresi\363n\nConfigurar p\341gina", // 57605
        // Cambiar impresora y opciones de impresión\nConfigurar impresora
        "Cambiar impresora y opciones de impresi\363n\nConfigurar impresora", // 57606
        "Imprimir el documento activo", // 57607
        // Mostrar páginas completas\nVista preliminar
        "Mostrar p\341ginas completas\nVista preliminar", // 57609
        // Copiar selección y ponerla en el portapapeles\nCopiar
        "Copiar selecci\363n y ponerla en el portapapeles\nCopiar", // 57634
        // Cortar selección y ponerla en el portapapeles\nCortar
        "Cortar selecci\363n y ponerla en el portapapeles\nCortar", // 57635
        "Encontrar el texto especificado\nEncontrar", // 57636
        "Insertar contenido del portapapeles\nPegar", // 57637
        "Seleccionar el documento entero\nSeleccionar todo", // 57642
        // Deshacer última acción\nDeshacer
        "Deshacer \372ltima acci\363n\nDeshacer", // 57643
        // Rehacer la anterior acción deshacer\nRehacer
        "Rehacer la anterior acci\363n deshacer\nRehacer", // 57644
        // Mostrar información del programa, número de versión y copyright\nAcerca de
        "Mostrar informaci\363n del programa, n\372mero de versi\363n y copyright\nAcerca de", // 57664
        // Salir de apliación; aviso para grabar documentos\nSalir
        "Salir de apliaci\363n; aviso para grabar documentos\nSalir", // 57665
        "Mostrar u ocultar barra de herramientas\nConmutar barra de herramientas", // 59392
        "Mostrar u ocultar barra de estado\nConmutar barra de estado", // 59393
        "Convertir documento LYR a documento LRC", // 32785
        "Convertir archivo MPT a documento LRC", // 32786
        "Mostrar u ocultar barra de dialogo del editor\nConmutar barra de dialogo del editor", // 32771
        "Mostrar la ta bla de contenidos", // 32787
        "Navegar para abrir un archivo de audio\nAbrir archivo de audio", // 1004
    },
};

// clang-format on

const char* FindLocalString(uint32_t id, int language) {
    for (int i = 0; i < kLocalStringCount; ++i) {
        if (g_localStringIds[i] == id)
            return g_localStrings[language][i];
    }
    return nullptr;
}

namespace {

struct SFrameworkString {
    uint32_t nFirst;
    uint32_t nLast;
    const char* pszText;
};

// The framework's English prompts for standard commands the program's table leaves out.
const SFrameworkString kFrameworkStrings[] = {
    {0xE108, 0xE108, "Print the active document using current options\nQuick Print"},
    {0xE110, 0xE11F, "Open this document"},
    {0xE120, 0xE120, "Erase the selection\nErase"},
    {0xE121, 0xE121, "Erase everything\nErase All"},
    {0xE128, 0xE128, "Repeat the last action\nRepeat"},
    {0xE129, 0xE129, "Replace specific text with different text\nReplace"},
    {0xE143, 0xE143, "List Help topics\nHelp Topics"},
    {0xE144, 0xE144, "Display instructions about how to use help\nHelp"},
    {0xE145, 0xE145, "Display help for clicked on buttons, menus and windows\nHelp"},
    {0xE146, 0xE146, "Display help for current task or command\nHelp"},
    {0xE150, 0xE150, "Switch to the next window pane\nNext Pane"},
    {0xE151, 0xE151, "Switch back to the previous window pane\nPrevious Pane"},
};

} // namespace

const char* FindFrameworkString(uint32_t id) {
    for (const SFrameworkString& s : kFrameworkStrings) {
        if (id >= s.nFirst && id <= s.nLast)
            return s.pszText;
    }
    return nullptr;
}

std::string_view StatusPromptFor(uint32_t id, int language) {
    const char* pszText = FindLocalString(id, language);
    if (!pszText)
        pszText = FindFrameworkString(id);
    return pszText ? StatusPromptPart(pszText) : std::string_view();
}

bool ToolTipFor(uint32_t id, int language, std::string_view& tip) {
    const char* pszText = FindLocalString(id, language);
    if (!pszText)
        pszText = FindFrameworkString(id);
    if (!pszText)
        return false;
    tip = ToolTipPart(pszText);
    return true;
}

const char* TextCodePageFor(uint32_t id, int language) {
    return FindLocalString(id, language) ? LocalStringCodePage(language) : LocalStringCodePage(0);
}

const char* LocalStringCodePage(int language) {
    switch (language) {
    case 1:
        return "CP936";
    case 2:
        return "CP950";
    default:
        return "WINDOWS-1252";
    }
}

std::string_view StatusPromptPart(std::string_view text) {
    return text.substr(0, text.find('\n'));
}

std::string_view ToolTipPart(std::string_view text) {
    const size_t first = text.find('\n');
    if (first == std::string_view::npos)
        return {};
    const std::string_view rest = text.substr(first + 1);
    return rest.substr(0, rest.find('\n'));
}
