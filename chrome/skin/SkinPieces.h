#pragma once

#include <QRect>
#include <QRgb>

// Source rectangles of the pieces cut out of the 1280 x 800 skin image, and the colours the frame pieces
// share. The painting routines butt and tile these pieces, so their sizes are part of the contract.
namespace SkinPieces {

inline constexpr int SkinWidth = 1280;
inline constexpr int SkinHeight = 800;

inline constexpr QRgb OuterColour = qRgb(155, 185, 224);
// Also the background of every window and panel inside the frame.
inline constexpr QRgb InnerColour = qRgb(197, 214, 237);
inline constexpr QRgb TitleStripColour = qRgb(215, 229, 248);

// Window frame.
inline constexpr QRect BottomSlice{50, 780, 10, 20};
inline constexpr QRect LeftSlice{0, 260, 20, 10};
inline constexpr QRect RightSlice{1260, 260, 20, 10};
inline constexpr QRect BottomLeftCorner{0, 760, 40, 40};
inline constexpr QRect BottomRightCorner{1240, 760, 40, 40};

// Settings look of the settings window.
inline constexpr QRect SettingsTopSlice{220, 0, 10, 97};
inline constexpr QRect SettingsTopLeftCorner{0, 0, 50, 50};
inline constexpr QRect SettingsTopRightCorner{1250, 0, 30, 60};
inline constexpr QRect EmblemPicture{68, 241, 435, 300};
inline constexpr QRect BannerStrip{728, 241, 436, 45};

// Competition look of the settings window; the stage pieces are the same artwork 25 rows lower.
inline constexpr QRect CompetitionTopSlice{400, 97, 10, 97};
inline constexpr QRect CompetitionHeaderLeft{195, 97, 195, 97};
inline constexpr QRect CompetitionHeaderRight{422, 97, 30, 97};
inline constexpr QRect StageTopSlice{400, 122, 10, 35};
inline constexpr QRect StageHeaderLeft{195, 122, 200, 72};
inline constexpr QRect StageHeaderRight{422, 122, 30, 46};

// Time panel backdrop of the recall stage: two ends and a 2-pixel middle tile.
inline constexpr QRect TimePanelLeft{474, 97, 69, 57};
inline constexpr QRect TimePanelMiddle{545, 97, 2, 57};
inline constexpr QRect TimePanelRight{610, 97, 69, 57};

// 4-pixel border drawn round a control.
inline constexpr QRect ControlTopTile{562, 282, 4, 4};
inline constexpr QRect ControlBottomTile{562, 365, 4, 4};
inline constexpr QRect ControlLeftTile{544, 303, 4, 4};
inline constexpr QRect ControlRightTile{656, 303, 4, 4};
inline constexpr QRect ControlTopLeftCorner{544, 282, 10, 10};
inline constexpr QRect ControlTopRightCorner{650, 282, 10, 10};
inline constexpr QRect ControlBottomLeftCorner{544, 359, 10, 10};
inline constexpr QRect ControlBottomRightCorner{650, 359, 10, 10};

// Skinned buttons: one 180 x 50 picture per state, of which the two caps and a middle tile are used.
struct ButtonPieces
{
    QRect picture;
    QRect leftCap;
    QRect middleTile;
    QRect rightCap;
};

inline constexpr ButtonPieces buttonPiecesAt(int y)
{
    return {QRect(68, y, 180, 50), QRect(68, y, 20, 50), QRect(90, y, 10, 50), QRect(228, y, 20, 50)};
}

inline constexpr ButtonPieces ButtonNormal = buttonPiecesAt(593);
inline constexpr ButtonPieces ButtonHover = buttonPiecesAt(643);
inline constexpr ButtonPieces ButtonPressed = buttonPiecesAt(693);

// Title-bar control strip sprites, 17 x 15, one row per look.
inline constexpr int SpriteWidth = 17;
inline constexpr int SpriteHeight = 15;
inline constexpr int SpriteRowNormal = 179;
inline constexpr int SpriteRowHover = 194;
inline constexpr int SpriteRowPressed = 209;
inline constexpr int SpriteBackgroundToggleX = 89;
inline constexpr int SpriteMinimiseX = 106;
inline constexpr int SpriteCloseX = 157;
inline constexpr int SpriteInertMaximiseX = 174; // normal row only

inline constexpr QRect stripSprite(int spriteX, int row)
{
    return QRect(spriteX, row, SpriteWidth, SpriteHeight);
}

} // namespace SkinPieces
