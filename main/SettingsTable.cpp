#include "main/Settings.h"

#include "main/Kelpa.h"

namespace inifile {

namespace {

QString DefaultPosition(double w, double h)
{
    return PositionText(0, w, 0, h - 415);
}

QString DefaultPositionEdit(double w, double)
{
    return PositionText(w - 8090, 7910, 1300, 4590);
}

QString DefaultPositionPreview(double, double h)
{
    return PositionText(0, 5900, h - 8715, 4200);
}

Setting Text(const char* key, QString& variable, Default initial)
{
    return {key, Type::Text, &variable, std::move(initial)};
}

Setting Number(const char* key, int16_t& variable, Default initial)
{
    return {key, Type::Number, &variable, std::move(initial)};
}

std::vector<Setting> BuildTable()
{
    using namespace KELPA;
    const QString product = QString::fromLatin1(ProductAddress);
    const Unchanged unchanged;
    return {
        Text(
            "Accept", Accept,
            QStringLiteral("image/gif, image/x-xbitmap, image/jpeg, image/pjpeg, image/x-jg, */*")),
        Number("AcceptMetaRefresh", AcceptMetaRefresh, 1),
        Number("AcceptRelocation", AcceptRelocation, 1),
        Number("AnalyseOnStop", AnalyseOnStop, 0),
        Text("Background", Background, QString()),
        Number("ConnectBlocking", ConnectBlocking, 0),
        Text("Connection", Connection, QStringLiteral("Keep-Alive")),
        Number("Depth", Depth, 0),
        Text("Directory", Directory, QStringLiteral("cache")),
        Number("ConnectTO", ConnectTO, 60),
        Text("Exclude", Exclude, QString()),
        Number("eMailAddresses", eMailAddresses, 0),
        Number("GetHostByNameBlocking", GetHostByNameBlocking, 1),
        Text("HeadLine", HeadLine,
             QStringLiteral("<!-- modified by Kelpa 5.0 (") + product + QStringLiteral(") -->")),
        Number("HideMin", HideMin, 1),
        Text("Host", Host, QString()),
        Text("IfModifiedSince", IfModifiedSince, QString()),
        Number("Images", Images, 1),
        Text("InputFile", InputFile, QStringLiteral("KELPA.INP")),
        Number("JavaApplets", JavaApplets, 0),
        {"Language", Type::Text, &Language, unchanged, {}, false, true},
        Number("LocalBrowsing", LocalBrowsing, 1),
        Number("LogAllMessages", LogAllMessages, 0),
        Number("LongFilenames", LongFilenames, 1),
        Text("MaskedImages", MaskedImages, QString()),
        Number("MaxFileSize", MaxFileSize, 0),
        {"MaxkBytes", Type::Number, &MaxkBytes, 0},
        {"MemoText", Type::Memo, &MemoText, unchanged},
        Number("MinFileSize", MinFileSize, 0),
        Number("NoExternalBanners", NoExternalBanners, 0),
        Text("NoSite", NoSite, QString()),
        Text("OnlySite", OnlySite, QString()),
        {"Page", Type::Pages, &Page, unchanged},
        Text("Position", Position, &DefaultPosition),
        Text("PositionEdit", PositionEdit, &DefaultPositionEdit),
        Text("PositionOptions", PositionOptions, QStringLiteral("0,8715,1300,4330")),
        Text("PositionPreview", PositionPreview, &DefaultPositionPreview),
        Text("PositionPreviewTop", PositionPreviewTop, &DefaultPositionPreview),
        Number("PreviewTop", PreviewTop, 0),
        Number("RecvBlocking", RecvBlocking, 0),
        Number("RecvBuffer", RecvBuffer, 1024),
        Text("Referer", Referer, QString()),
        Number("RefreshHTML", RefreshHTML, 0),
        Number("RestHome", RestHome, 0),
        Number("SaveHTML", SaveHTML, unchanged),
        Number("SaveSettingsAutomatically", SaveSettingsAutomatically, 1),
        Number("SendBlocking", SendBlocking, 0),
        Number("ShowEdit", ShowEdit, 0),
        Number("ShowOptions", ShowOptions, 0),
        Number("ShowProtocol", ShowProtocol, 1),
        Number("ShowToolbar", ShowToolbar, 1),
        Text("StandardDirectory", StandardDirectory, QString()),
        Number("SubDirectories", SubDirectories, 1),
        Number("Timeout", Timeout, 120),
        Text("TimeProcs", TimeProcs, QStringLiteral("20 min,60 min,8.0 h")),
        Text("UserAgent", UserAgent, QStringLiteral("Kelpa 5.0 (") + product + QLatin1Char(')')),
        Number("UseRecycleBin", UseRecycleBin, 0),
        Text("UserIcon", UserIcon, QString()),
        Text("UserTitle", UserTitle, QString()),
        {"WindowState", Type::Number, &WindowState, 0, &StartWindowState},
        {"ParseJava", Type::Number, &ParseJava, 0, {}, true, false},
    };
}

struct SetDefault {
    const Variable& variable;
    double w;
    double h;

    void operator()(Unchanged) const {}
    void operator()(int32_t value) const
    {
        if (auto* const* v16 = std::get_if<int16_t*>(&variable))
            **v16 = static_cast<int16_t>(value);
        else if (auto* const* v32 = std::get_if<int32_t*>(&variable))
            **v32 = value;
    }
    void operator()(const QString& value) const { *std::get<QString*>(variable) = value; }
    void operator()(ScreenText text) const { *std::get<QString*>(variable) = text(w, h); }
};

} // namespace

const std::vector<Setting>& SettingsTable()
{
    static const std::vector<Setting> table = BuildTable();
    return table;
}

void SetDefaults(double screenWidth, double screenHeight)
{
    for (const Setting& setting : SettingsTable())
        std::visit(SetDefault{setting.variable, screenWidth, screenHeight}, setting.initial);
}

} // namespace inifile
