#include "windows/form1_layout.h"

#include "catalogue/kana_catalogue.h"
#include "quiz/presentation.h"

namespace windows {

namespace {

// The two columns of symbol-set boxes: one box per row of the kana table,
// 240 twips apart. The tab order runs down the katakana column and up the
// hiragana one.
void AddSetColumn(FormLayout& layout, const QString& arrayName, const QString& frame, bool tabDownwards)
{
    for (int i = 0; i < static_cast<int>(catalogue::kSetCount); ++i) {
        const auto caption = catalogue::kSetShapes[static_cast<std::size_t>(i)].caption;
        layout.push_back({SetBoxName(arrayName, i), ControlKind::CheckBox, frame,
                          QString::fromLatin1(caption.data(), static_cast<qsizetype>(caption.size())), 120,
                          240 * (i + 1), i == 0 ? 735 : 615, 255, tabDownwards ? 5 + i : 60 - i});
    }
}

} // namespace

QString SetBoxName(const QString& arrayName, int index)
{
    return QStringLiteral("%1(%2)").arg(arrayName).arg(index);
}

FormLayout Form1Layout()
{
    using K = ControlKind;
    FormLayout layout{
        {"Frame2", K::Frame, "", "Kana Window", 2400, 0, quiz::kKanaWindowWidth, quiz::kKanaWindowHeight, 31},
        {"imgtsu", K::Picture, "Frame2", "", 30, 720, quiz::kSmallTsuWidth, 180},
        {"imgKana", K::Picture, "Frame2", "", 480, 600, 375, 375},
        {"Label1", K::Label, "", "Kana Name:", 2400, 1440, 885, 195, 32},
        {"txtKananame", K::TextBox, "", "", 2400, 1680, 1455, 285, 33},
        {"cmdcheck", K::Button, "", "&Check Answer", 2400, 2040, 1575, 255, 0},
        {"Command4", K::Button, "", "&Reveal Kana", 2400, 2280, 1575, 255, 61},
        {"TestMode", K::CheckBox, "", "&Test Mode", 2400, 2640, 1095, 195, 2},
        {"Frame4", K::Frame, "", "Stats", 2400, 2880, 1575, 975, 62},
        {"Label2", K::Label, "Frame4", "Correct:", 120, 240, 555, 195, 63},
        {"lblcorrect", K::Label, "Frame4", "", 720, 240, 45, 195, 66},
        {"Label3", K::Label, "Frame4", "Missed:", 120, 480, 540, 195, 64},
        {"lblmissed", K::Label, "Frame4", "", 720, 480, 45, 195, 67},
        {"Label4", K::Label, "Frame4", "Percent:", 120, 720, 600, 195, 65},
        {"lblpercent", K::Label, "Frame4", "", 720, 720, 45, 195, 68},
        {"Command1", K::Button, "", "&Display another Kana / SKIP", 2400, 3880, 1575, 460, 1},
        {"Frame5", K::Frame, "", "Options", 2400, 4340, 1575, 1550, 74},
        {"chkDouble", K::CheckBox, "Frame5", "&Show Double Consonats", 80, 240, 1380, 375, 75},
        {"Check1", K::CheckBox, "Frame5", "Show Double &Vowels", 80, 600, 1380, 375, 79},
        {"chkDupes", K::CheckBox, "Frame5", "&Less Duplicates", 80, 960, 1455, 255, 76},
        {"chkLax", K::CheckBox, "Frame5", "La&x Definitions", 80, 1200, 1455, 255, 80},
        {"Command9", K::Button, "", "&All", 2400, 5880, 795, 255, 77},
        {"Command10", K::Button, "", "&None", 3180, 5880, 795, 255, 78},
        {"Command6", K::Button, "", "&About", 2400, 6120, 1575, 255, 69},
        {"Command5", K::Button, "", "E&xit", 2400, 6360, 1575, 255, 3},
        {"Frame1", K::Frame, "", "Display Kata", 0, 0, 1095, 6615, 4},
        {"Command2", K::Button, "Frame1", "+", 720, 480, 255, 255, 70},
        {"Command3", K::Button, "Frame1", "-", 720, 6240, 255, 255, 71},
    };
    AddSetColumn(layout, "displaykatakana", "Frame1", true);
    layout.push_back({"Frame3", K::Frame, "", "Display Hira", 1200, 0, 1095, 6615, 34});
    layout.push_back({"Command7", K::Button, "Frame3", "+", 720, 480, 255, 255, 72});
    layout.push_back({"Command8", K::Button, "Frame3", "-", 720, 6240, 255, 255, 73});
    AddSetColumn(layout, "displayHira", "Frame3", false);
    return layout;
}

} // namespace windows
