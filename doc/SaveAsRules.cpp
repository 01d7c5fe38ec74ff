#include "doc/SaveAsRules.h"

std::string ProposeSaveAsName(std::string_view openedPath) {
    const std::string_view name = PathFileName(openedPath);
    return std::string(name.substr(0, name.size() - PathExtension(name).size()));
}

std::vector<CSaveAsFilter> SaveAsFilters(bool bAudioLoaded, std::string_view audioExt) {
    const std::string ext = UpperAscii(audioExt);
    std::vector<CSaveAsFilter> filters = {{"LRC files(*.lrc)", "lrc"}, {"LYR files(*.lyr)", "lyr"}};
    if (bAudioLoaded && (ext == ".MP3" || ext == ".MPT"))
        filters.push_back({"MPT Files(*.mpt)", "mpt"});
    filters.push_back({"TXT Files(*.txt)", "txt"});
    return filters;
}

SaveAsFormat SaveAsFormatOf(std::string_view chosenPath) {
    const std::string ext = UpperAscii(PathExtension(chosenPath));
    if (ext == ".LRC" || ext == ".TXT")
        return SaveAsFormat::PlainText;
    if (ext == ".LYR")
        return SaveAsFormat::Lyr;
    if (ext == ".MPT")
        return SaveAsFormat::Mpt;
    return SaveAsFormat::None;
}
