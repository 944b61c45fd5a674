#include "curves/curve_file_names.h"

#include "script/script_text.h"

namespace ombrelis {

std::string curveSavePath(const CurveSlot &slot)
{
    std::string_view name = slot.name;
    if (slot.folder.empty())
        return fileNameForm(name) + ".crv";
    std::string folder = slot.folder;
    if (!folder.ends_with('/'))
        folder += '/';
    if (name.starts_with(folder))
        name.remove_prefix(folder.size());
    return folder + fileNameForm(name) + ".crv";
}

std::string curveWindowTitle(std::string_view fileTitle, bool readOnly,
                             std::string_view currentTitle)
{
    std::string title(fileTitle);
    if (readOnly)
        title += " (Lecture seule)";
    title += " - ";
    if (currentTitle != kUntitledDocumentTitle)
        title += currentTitle;
    return title;
}

}  // namespace ombrelis
