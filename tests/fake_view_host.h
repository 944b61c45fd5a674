#pragma once

#include "scripted_prompts.h"
#include "view/my_view.h"
#include "view/view_host.h"

#include <QStringList>

#include <array>
#include <map>

namespace ombrelis {

// A host for views tested on their own: bars as plain members that record
// their visibility, scripted prompts, and titles kept per view.
class FakeViewHost final : public ViewHost {
public:
    AxisBarFields bars;
    std::array<bool, 4> visible{};
    std::array<int, 4> writes{};
    ScriptedPrompts scripted;
    QStringList recentFiles;
    std::vector<MyView *> views;
    std::map<const MyView *, QString> titles;
    int beeps = 0;

    AxisBarFields &barFields() override { return bars; }
    void writeBar(BarId bar) override { ++writes[index(bar)]; }
    void readBar(BarId) override { }
    void toggleBar(BarId bar) override { visible[index(bar)] = !visible[index(bar)]; }
    bool isBarVisible(BarId bar) const override { return visible[index(bar)]; }
    Prompts &prompts() override { return scripted; }
    void addRecentFile(const QString &path) override { recentFiles.append(path); }
    std::vector<MyView *> openViews() const override { return views; }
    QString documentTitle(const MyView &view) const override
    {
        const auto found = titles.find(&view);
        return found == titles.end() ? QString() : found->second;
    }
    void setDocumentTitle(const MyView &view, const QString &title) override
    {
        titles[&view] = title;
    }
    void beep() override { ++beeps; }

private:
    static std::size_t index(BarId bar) { return static_cast<std::size_t>(bar); }
};

}  // namespace ombrelis
