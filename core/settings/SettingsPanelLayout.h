#pragma once

#include <QRect>
#include <QSize>

#include <array>

// Places the START button and the six label/list rows of the settings panel. Rows are given top to
// bottom; labels stack upwards from the button with a 13-pixel gap, each ending on the panel's centre
// line, and each list starts 15 pixels right of that line, 4 pixels higher than its label.
struct SettingsPanelLayout
{
    QRect start;
    std::array<QRect, 6> labels;
    std::array<QRect, 6> lists;
};

constexpr QSize StartButtonSize(175, 45);

SettingsPanelLayout layOutSettingsPanel(QSize panel, const std::array<QSize, 6>& labelSizes,
                                        const std::array<QSize, 6>& listSizes);
