#include "view/VersewrightView.h"

// The position display, the now tag and the caret jump arrive with the audio control bar; until
// then a refresh only redraws the gutter.
void CVersewrightView::UpdatePlayPosition(uint32_t, bool) {
    RedrawGutter();
}
