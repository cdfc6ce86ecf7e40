#include "settings/SettingsPanelLayout.h"

#include "base/Rounding.h"

namespace {
constexpr double LabelGap = 13.0;
constexpr double ListOffset = 15.0;
constexpr double ListRaise = 4.0;

int whole(double value)
{
    return int(roundHalfEven(value));
}
} // namespace

SettingsPanelLayout layOutSettingsPanel(QSize panel, const std::array<QSize, 6>& labelSizes,
                                        const std::array<QSize, 6>& listSizes)
{
    SettingsPanelLayout layout;
    const double startLeft = (panel.width() - StartButtonSize.width()) / 2.0;
    const double startTop = panel.height() - 55.0;
    layout.start = QRect(whole(startLeft), whole(startTop), StartButtonSize.width(), StartButtonSize.height());

    const double centreLine = startLeft + StartButtonSize.width() / 2.0;
    double topOfItemBelow = startTop;
    for (int row = 5; row >= 0; --row) {
        const QSize label = labelSizes[std::size_t(row)];
        const double labelLeft = centreLine - label.width();
        const double labelTop = topOfItemBelow - label.height() - LabelGap;
        layout.labels[std::size_t(row)] = QRect(whole(labelLeft), whole(labelTop), label.width(), label.height());
        layout.lists[std::size_t(row)] =
            QRect(whole(labelLeft + label.width() + ListOffset), whole(labelTop - ListRaise),
                  listSizes[std::size_t(row)].width(), listSizes[std::size_t(row)].height());
        topOfItemBelow = labelTop;
    }
    return layout;
}
