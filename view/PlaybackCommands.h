#pragma once
// What the playback commands show the user: the open dialog's audio filter.

#include <QString>

// Qt name filters of the audio open dialog, the same in every interface language.
QString AudioFileFilter();
