#include "browser/ListOrder.h"
#include "chart/RaceChart.h"
#include "chart/RaceFromList.h"
#include "ui/BrowserPage.h"
#include "ui/ChartView.h"
#include "ui/FrmView.h"

#include <QCheckBox>

namespace lanescope::ui {

std::pair<std::string, chart::PictureDrawing> TfrmView::racePicture(const browser::EventTreeNode* node) const
{
    // The picture shows the first list of the node (an event shown by age groups: its first age group), in
    // the order and filter of the shown list, with the rows the user selected there. A node without a list
    // gets the picture of no swims, which says that there is nothing to draw.
    auto race = std::make_shared<chart::RaceData>();
    const lenex::TLnxObject* event = node ? browser::listEventOf(node, FModels.lists) : nullptr;
    const std::vector<browser::ListSection> sections =
        event ? browser::shownSections(node, FModels.lists, FEventOrder)
              : std::vector<browser::ListSection>{};
    if (!sections.empty()) {
        const browser::ListSection& section = sections.front();
        std::string title =
            node->level >= 2 && node->parent ? node->parent->text + ", " + node->text : node->text;
        if (!section.heading.empty())
            title += ", " + section.heading;
        std::set<int> selected;
        for (std::size_t k = 0; k < section.rows.size(); ++k)
            if (FSelectedItems.count(section.rows[k]) > 0)
                selected.insert(static_cast<int>(k));
        *race =
            chart::raceFromRows(*event, chart::raceRows(section.rows, selected), section.ageGroupId, title);
    }
    auto texts = std::make_shared<const chart::ChartTexts>(chart::ChartTexts::loaded());
    return {race->title, [race, texts](report::ReportCanvas& canvas, int width, int dpi) {
                return chart::drawRaceChart(canvas, *race, *texts, width, dpi);
            }};
}

void TfrmView::showRacePicture(const browser::EventTreeNode* node)
{
    shtEvents->chart()->setDrawing(racePicture(node).second);
}

} // namespace lanescope::ui
