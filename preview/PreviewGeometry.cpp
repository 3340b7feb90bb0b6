#include "preview/PreviewGeometry.h"

#include <QStringList>

#include <cmath>

namespace preview {

Box PreviewBox(Layout layout, double w, double h, double column)
{
    Box box;
    switch (layout) {
    case Layout::Child:
        box.width = w > 3105 + column ? int(std::lround(w - 2065 - column)) : 1040;
        if (h > 1425) {
            box.height = int(std::lround(h - 390));
        } else {
            box.height = 1015;
            box.raiseHeightTo = 1425;
        }
        break;
    case Layout::Top:
        box.width = w > 3105 ? int(std::lround(w - 2065)) : 1040;
        if (w < 1115)
            box.raiseWidthTo = 1115;
        if (h > 1330) {
            box.height = int(std::lround(h - 315));
        } else {
            box.height = 1015;
            box.raiseHeightTo = 1330;
        }
        break;
    case Layout::TopSmall:
        if (w > 1115) {
            box.width = int(std::lround(w - 115));
        } else {
            box.width = 1000;
            box.raiseWidthTo = 1115;
        }
        if (h > 1330) {
            box.height = int(std::lround(h - 305));
        } else {
            box.height = 1025;
            box.raiseHeightTo = 1330;
        }
        break;
    }
    return box;
}

Fit FitPicture(int boxWidth, int boxHeight, float width, float height)
{
    Fit fit{width, height, 0, 0, 100};
    const auto bw = float(boxWidth);
    const auto bh = float(boxHeight);
    if (width > bw || height > bh) {
        if (height / bh > width / bw) {
            fit.width = width * bh / height;
            fit.percent = int(boxHeight * 100LL / std::lround(height));
            fit.height = bh;
        } else {
            fit.height = height * bw / width;
            fit.percent = int(boxWidth * 100LL / std::lround(width));
            fit.width = bw;
        }
    }
    fit.left = (bw - fit.width) / 2;
    fit.top = (bh - fit.height) / 2;
    return fit;
}

QString SizeLabel(qint64 length, const QString& bytesText)
{
    return QLatin1Char(' ') + QString::number(length) + bytesText;
}

QString ZoomLabel(int percent, qint64 length, const QString& bytesText, const QString& bytesClose)
{
    if (percent > 0 && percent < 100)
        return QLatin1Char(' ') + QString::number(percent) + QStringLiteral("% (") +
               QString::number(length) + bytesClose;
    return SizeLabel(length, bytesText);
}

Controls ControlPlaces(Layout layout, double w, double h, double column)
{
    Controls c;
    const bool wide = w > 3105;
    switch (layout) {
    case Layout::Child: {
        const bool room = w > 3105 + column;
        c.dirLeft = room ? w - 2055 - column : 1050;
        c.dirWidth = 1935 + column;
        c.fileLeft = room ? w - 2070 - column : 1035;
        c.fileWidth = 1960 + column;
        c.frameLeft = room ? w - 2055 - column : 1050;
        c.textWidth = room ? w - 2085 - column : 1020;
        break;
    }
    case Layout::Top:
        c.fileLeft = wide ? w - 2055 : 1050;
        c.frameLeft = wide ? w - 2055 : 1050;
        c.textWidth = wide ? w - 2085 : 1020;
        break;
    case Layout::TopSmall:
        c.textWidth = wide ? w - 105 : 3000;
        break;
    }
    if (layout == Layout::Child) {
        const bool high = h > 2015;
        c.frameTop = high ? h - 945 : 1080;
        c.fileHeight = high ? h - 1925 : 90;
        c.textHeight = high ? h - 400 : 1615;
    } else {
        const bool high = h > 1330;
        c.frameTop = high ? h - 865 : 490;
        c.fileHeight = high ? h - 880 : 505;
        c.textHeight = high ? h - 360 : 1050;
    }
    return c;
}

Rect AlignedChild(const MainWindowSpace& main, double currentHeight)
{
    Rect r;
    r.top = main.transferHeight;
    r.left = 0;
    r.width = main.width - 175;
    if (r.width < 3200)
        r.width = 3200;
    double reserve = 2985;
    if (main.logShown)
        reserve += 2000;
    if (main.toolbarShown)
        reserve += 420;
    r.height = main.height > reserve ? main.height - reserve : currentHeight;
    if (r.height < 1425)
        r.height = 1425;
    return r;
}

Rect SnappedTop(const Rect& window, double screenWidth, double screenHeight)
{
    const auto near = [](double gap) { return gap > -1000 && gap < 1000; };
    Rect r = window;
    if (near(r.left))
        r.left = 0;
    else if (near(screenWidth - r.left - r.width))
        r.left = screenWidth - r.width;
    if (near(r.top))
        r.top = 0;
    else if (near(screenHeight - r.top - r.height))
        r.top = screenHeight - r.height - 415;
    return r;
}

Rect StoredPlace(const QString& position, double screenWidth, double screenHeight,
                 const Rect& current)
{
    // Left, Width and Top are the numbers before the first three commas; the
    // rest of the text is Height.
    QStringList parts = position.split(QLatin1Char(','));
    if (parts.size() > 4)
        parts = parts.mid(0, 3) << parts.mid(3).join(QLatin1Char(','));
    const auto take = [&parts](int index, double& value, double limit, double fallback) {
        if (index >= parts.size())
            return;
        bool ok = false;
        const double number = parts.at(index).trimmed().toDouble(&ok);
        if (!ok)
            return;
        value = number < 0 || number > limit ? fallback : number;
    };
    Rect r = current;
    take(0, r.left, screenWidth, 0);
    take(1, r.width, screenWidth, 4600);
    take(2, r.top, screenHeight, 0);
    take(3, r.height, screenHeight, 4200);
    return r;
}

} // namespace preview
