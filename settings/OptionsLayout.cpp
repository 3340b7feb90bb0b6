#include "settings/OptionsLayout.h"

#include "settings/NumberRule.h"

#include <QStringList>

#include <cmath>
#include <initializer_list>
#include <string_view>

namespace settings {

namespace {

// A control's property that follows the width: W - distance, or the fixed
// value at the minimum width where one is given.
struct WidthRule {
    std::initializer_list<const char*> controls;
    Property property;
    double distance;
    std::optional<double> atMinimum;
};

const WidthRule WidthRules[] = {
    {{"TextDirectory"}, Property::Width, 6705, {}},
    {{"TextPicture", "TextUserIcon"}, Property::Width, 6180, {}},
    {{"TextUserTitle"}, Property::Width, 5940, {}},
    {{"TextOnlySite"}, Property::Width, 5100, {}},
    {{"TextRestHome"}, Property::Width, 6300, {}},
    {{"TextNoSite", "TextExclude"}, Property::Width, 4620, {}},
    {{"Frame4", "Frame5", "Frame2"}, Property::Width, 4140, {}},
    {{"CommandChooseDirectory", "CommandChoosePicture", "CommandChooseIcon"},
     Property::Left,
     4335,
     {}},
    {{"PictureWhite"}, Property::Left, 4635, {}},
    {{"PictureBlack"}, Property::Left, 4485, {}},
    {{"CommandAuto"}, Property::Left, 4845, {}},
    {{"CommandDel1", "CommandDel2", "CommandDel3"}, Property::Left, 4515, {}},
    {{"CommandDirs"}, Property::Left, 4995, {}},
    {{"Frame1", "Frame3"}, Property::Left, 3990, 4740},
    {{"FrameHTML"}, Property::Left, 2010, 6720},
    {{"CommandProfessionalOptions"}, Property::Left, 1890, 6840},
};

// A control's property that follows the height: base + (H - 3850) * shift /
// 480 below H = 4330; from there on upperBase + (H - 3850) * upperShift /
// 480 where the rule has its own upper range.
struct HeightRule {
    std::initializer_list<const char*> controls;
    Property property;
    double base;
    double shift;
    std::optional<double> upperBase;
    double upperShift = 0;
};

const HeightRule HeightRules[] = {
    {{"Label5"}, Property::Top, 60, 30, {}},
    {{"TextDirectory", "CommandAuto", "CommandChooseDirectory"}, Property::Top, 30, 30, {}},
    {{"Label1", "PictureWhite", "PictureBlack"}, Property::Top, 360, 60, {}},
    {{"TextPicture", "CommandChoosePicture"}, Property::Top, 330, 60, {}},
    {{"Label10"}, Property::Top, 660, 90, {}},
    {{"TextUserIcon", "CommandChooseIcon"}, Property::Top, 630, 90, {}},
    {{"Label7"}, Property::Top, 960, 120, {}},
    {{"TextUserTitle"}, Property::Top, 930, 120, {}},
    {{"Frame4"}, Property::Top, 1230, 120, 1098, 240},
    {{"TextOnlySite", "CommandDirs", "CommandDel1"}, Property::Top, 180, 30, 210},
    {{"CheckRestHome"}, Property::Top, 510, 90, 600},
    {{"TextRestHome"}, Property::Top, 480, 90, 570},
    {{"Frame5"}, Property::Top, 2010, 210, 1846, 340},
    {{"TextNoSite", "CommandDel2"}, Property::Top, 180, 30, 210},
    {{"Frame2"}, Property::Top, 2490, 240, 2250, 480},
    {{"Frame2"}, Property::Height, 915, 240, 1155},
    {{"TextExclude", "CommandDel3"}, Property::Top, 180, 30, 210},
    {{"CheckCGI", "CheckEXE", "CheckJPG", "CheckTXT", "CheckMovies"}, Property::Top, 480, 120, 600},
    {{"CheckDLL", "CheckGIF", "CheckMAP", "CheckZIP", "CheckSounds"}, Property::Top, 690, 180, 870},
    {{"Frame1"}, Property::Top, -60, 30, {}},
    {{"Frame1"}, Property::Height, 1755, 150, {}},
    {{"Label11", "Label6"}, Property::Top, 210, 0, {}},
    {{"TextTimeout"}, Property::Top, 180, 0, {}},
    {{"Label4"}, Property::Top, 510, 30, {}},
    {{"TextDepth"}, Property::Top, 480, 30, {}},
    {{"Label2", "Label8"}, Property::Top, 810, 60, {}},
    {{"TextMinFileSize"}, Property::Top, 780, 60, {}},
    {{"Label3", "Label9"}, Property::Top, 1110, 90, {}},
    {{"TextMaxFileSize"}, Property::Top, 1080, 90, {}},
    {{"Label12", "Label13"}, Property::Top, 1410, 120, {}},
    {{"TextMaxkBytes"}, Property::Top, 1380, 120, {}},
    {{"Frame3", "FrameHTML"}, Property::Top, 1710, 180, {}},
    {{"Frame3"}, Property::Height, 1695, 300, {}},
    {{"FrameHTML"}, Property::Height, 1335, 300, {}},
    {{"CheckImages"}, Property::Top, 300, 30, {}},
    {{"CheckJavaApplets"}, Property::Top, 570, 90, {}},
    {{"CheckMetaRefresh"}, Property::Top, 840, 150, {}},
    {{"CheckRelocation"}, Property::Top, 1110, 210, {}},
    {{"CheckEmailAddresses"}, Property::Top, 1380, 270, {}},
    {{"CheckLocalBrowsing"}, Property::Top, 240, 90, {}},
    {{"CheckSaveHTML"}, Property::Top, 510, 150, {}},
    {{"CheckLongFileNames"}, Property::Top, 780, 210, {}},
    {{"CheckSubDirectories"}, Property::Top, 1050, 270, {}},
    {{"CommandProfessionalOptions"}, Property::Top, 3090, 480, {}},
};

constexpr double UpperRangeHeight = 4330;
constexpr double ShiftSpan = UpperRangeHeight - OptionsMinHeight;

double HeightValue(const HeightRule& rule, double height)
{
    const double extra = height - OptionsMinHeight;
    if (extra <= 0)
        return rule.base;
    if (height >= UpperRangeHeight && rule.upperBase)
        return *rule.upperBase + extra * rule.upperShift / ShiftSpan;
    return rule.base + extra * rule.shift / ShiftSpan;
}

} // namespace

std::vector<Placement> OptionsLayout(double width, double height)
{
    const bool narrowest = width <= OptionsMinWidth;
    const double w = narrowest ? OptionsMinWidth : width;
    std::vector<Placement> places;
    for (const WidthRule& rule : WidthRules) {
        const double value = narrowest && rule.atMinimum ? *rule.atMinimum : w - rule.distance;
        for (const char* control : rule.controls)
            places.push_back({control, rule.property, value});
    }
    for (const HeightRule& rule : HeightRules) {
        const double value = HeightValue(rule, height);
        for (const char* control : rule.controls)
            places.push_back({control, rule.property, value});
    }
    // The upper two frames of the left column reach down to one pixel above
    // the frame below. Their contents move down with the window's height
    // (and by a step at 4330), so a frame of one height would have its
    // lower border covered at one end of the range and cover the next
    // frame's caption at the other.
    const auto top = [&](const char* frame) {
        for (const Placement& place : places)
            if (place.property == Property::Top && std::string_view(place.control) == frame)
                return place.value;
        return 0.0;
    };
    constexpr double Pixel = 15;
    places.push_back({"Frame4", Property::Height, top("Frame5") - top("Frame4") - Pixel});
    places.push_back({"Frame5", Property::Height, top("Frame2") - top("Frame5") - Pixel});
    return places;
}

double AlignedOptionsHeight(double mainHeight, bool logVisible, bool toolbarVisible)
{
    double bars = 2965;
    if (logVisible && toolbarVisible)
        bars = 5385;
    else if (logVisible)
        bars = 4965;
    else if (toolbarVisible)
        bars = 3385;
    return mainHeight > bars ? std::nearbyint(mainHeight - bars) : 0;
}

StoredPosition ReadStoredPosition(const QString& text)
{
    StoredPosition position;
    const QStringList fields = text.split(QLatin1Char(','));
    std::optional<double>* targets[] = {&position.left, &position.width, &position.top};
    for (int i = 0; i < 3 && i < fields.size(); ++i)
        *targets[i] = BoxNumber(fields.at(i));
    if (fields.size() >= 4)
        position.height = BoxNumber(fields.mid(3).join(QLatin1Char(',')));
    return position;
}

} // namespace settings
