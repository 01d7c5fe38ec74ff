#include "timing/TimingTexts.h"

#include <iterator>

#include "app/Resource.h"

namespace {

// One row per text: English, Simplified Chinese, Traditional Chinese, Spanish.
const char* const kTexts[][4] = {
    {"Timing", "计时", "計時", "Sincronización"},
    {"Speed %1×", "速度 %1×", "速度 %1×", "Velocidad %1×"},
    {"Slower", "减速", "減速", "Más lento"},
    {"Faster", "加速", "加速", "Más rápido"},
    {"Replay line", "重播本行", "重播本行", "Repetir línea"},
    {"Reaction time", "反应时间", "反應時間", "Tiempo de reacción"},
    {"Move the line's first time tag %1 ms earlier", "将本行第一个时间标签提前 %1 毫秒",
     "將本行第一個時間標籤提前 %1 毫秒", "Adelantar %1 ms la primera etiqueta de tiempo de la línea"},
    {"Move the line's first time tag %1 ms later", "将本行第一个时间标签推后 %1 毫秒",
     "將本行第一個時間標籤延後 %1 毫秒", "Retrasar %1 ms la primera etiqueta de tiempo de la línea"},
    {"Open a song to see its waveform.", "打开歌曲即可看到它的波形。", "開啟歌曲即可看到它的波形。",
     "Abra una canción para ver su forma de onda."},
    {"Reading the waveform of %1...", "正在读取 %1 的波形...", "正在讀取 %1 的波形...",
     "Leyendo la forma de onda de %1..."},
    {"The waveform of %1 cannot be shown: %2", "无法显示 %1 的波形：%2", "無法顯示 %1 的波形：%2",
     "No se puede mostrar la forma de onda de %1: %2"},
};
static_assert(std::size(kTexts) == static_cast<size_t>(ETimingText::Count));

const struct {
    const char* pszKey;
    int nId;
} kKeys[] = {
    {"F7", ID_VIEW_TIMING_PANEL},
    {"Ctrl+Shift+Down", ID_PLAY_SLOWER},
    {"Ctrl+Shift+Up", ID_PLAY_FASTER},
    {"Alt+Left", ID_EDIT_NUDGE_EARLIER},
    {"Alt+Right", ID_EDIT_NUDGE_LATER},
    {"Alt+Shift+Left", ID_EDIT_NUDGE_EARLIER_FINE},
    {"Alt+Shift+Right", ID_EDIT_NUDGE_LATER_FINE},
    {"Ctrl+R", ID_PLAY_REPLAY_LINE},
};

} // namespace

QString TimingText(ETimingText id, int nLanguage) {
    const int nColumn = nLanguage >= 0 && nLanguage < 4 ? nLanguage : 0;
    return QString::fromUtf8(kTexts[static_cast<int>(id)][nColumn]);
}

std::vector<CAccelerator> TimingAccelerators() {
    std::vector<CAccelerator> table;
    for (const auto& key : kKeys) {
        QKeyCombination combination;
        if (ParseAcceleratorKey(key.pszKey, combination))
            table.push_back(CAccelerator{combination, key.nId});
    }
    return table;
}

QString TimingKeyName(int nId) {
    for (const auto& key : kKeys)
        if (key.nId == nId)
            return QString::fromLatin1(key.pszKey);
    return QString();
}
