#include "SkinBuilder.h"

#include "framework/Bitmap.h"
#include "framework/Exceptions.h"
#include "platform/Gbk.h"

#include <QDir>
#include <QFile>
#include <algorithm>
#include <stdexcept>

namespace {

QString RectText(const TRect& r) {
    return QStringLiteral("%1,%2,%3,%4").arg(r.Left).arg(r.Top).arg(r.Right).arg(r.Bottom);
}

int ToTColor(const QColor& c) {
    return c.red() | (c.green() << 8) | (c.blue() << 16);
}

void SavePicture(const QImage& image, const QString& path) {
    TBitmap bitmap;
    bitmap.FromQImage(image.convertToFormat(QImage::Format_RGB32));
    bitmap.SaveToFile(path);
}

} // namespace

TSkinSection& TSkinSection::Set(const QString& key, const QString& value) {
    for (auto& [k, v] : FKeys)
        if (k == key) {
            v = value;
            return *this;
        }
    FKeys.emplace_back(key, value);
    return *this;
}

TSkinSection& TSkinSection::Int(const QString& key, int value) {
    return Set(key, QString::number(value));
}

TSkinSection& TSkinSection::Bool(const QString& key, bool value) {
    return Set(key, value ? QStringLiteral("1") : QStringLiteral("0"));
}

TSkinSection& TSkinSection::Color(const QString& key, const QColor& color) {
    return Int(key, ToTColor(color));
}

TSkinSection& TSkinSection::Rect(const QString& key, const TRect& rect) {
    if (rect.Left < 0 || rect.Top < 0 || rect.Right < 0 || rect.Bottom < 0)
        throw std::logic_error("negative skin rectangle for " + key.toStdString());
    return Set(key, RectText(rect));
}

TSkinSection& TSkinSection::Point(const QString& key, const TPoint& point) {
    if (point.X < 0 || point.Y < 0)
        throw std::logic_error("negative skin point for " + key.toStdString());
    return Set(key, QStringLiteral("%1,%2").arg(point.X).arg(point.Y));
}

TSkinSection& TSkinSection::Font(const QString& name, int height, bool bold, const QColor& color,
                                 const QString& prefix) {
    Set(prefix + QStringLiteral("fontname"), name);
    Int(prefix + QStringLiteral("fontheight"), height);
    Set(prefix + QStringLiteral("fontstyle"), bold ? QStringLiteral("fsbold") : QString());
    return Color(prefix + QStringLiteral("fontcolor"), color);
}

TSkinBuilder::TSkinBuilder(const TSkinTheme& theme) : FTheme(theme) {}

void TSkinBuilder::SetFramePicture(const QImage& image) {
    FFrame = image;
}
void TSkinBuilder::SetInactivePicture(const QImage& image) {
    FInactive = image;
}
void TSkinBuilder::SetMask(const QImage& image) {
    FMask = image;
}

int TSkinBuilder::AddPicture(const QString& fileName, const QImage& image) {
    for (const TPicture& p : FPictures)
        if (p.FileName.compare(fileName, Qt::CaseInsensitive) == 0)
            throw std::logic_error("picture added twice: " + fileName.toStdString());
    FPictures.push_back({fileName, image});
    return static_cast<int>(FPictures.size()) - 1;
}

QImage TSkinBuilder::Picture(int index) const {
    if (index < 0 || index >= static_cast<int>(FPictures.size()))
        return {};
    return FPictures[static_cast<size_t>(index)].Image;
}

TSkinSection& TSkinBuilder::Section(const QString& name) {
    for (TSkinSection& s : FSections)
        if (s.Name().compare(name, Qt::CaseInsensitive) == 0)
            return s;
    FSections.emplace_back(name);
    return FSections.back();
}

TSkinSection& TSkinBuilder::Object(const QString& name, const QString& kind) {
    FObjects.push_back(name + QLatin1Char(':') + kind);
    return Section(name);
}

TSkinSection& TSkinBuilder::Control(const QString& name, const QString& kind) {
    FControls.push_back(name + QLatin1Char(':') + kind);
    return Section(name);
}

QString TSkinBuilder::IniText() const {
    QString text;
    auto header = [&](const QString& name) {
        if (!text.isEmpty())
            text += QStringLiteral("\r\n");
        text += QLatin1Char('[') + name + QStringLiteral("]\r\n");
    };
    auto line = [&](const QString& key, const QString& value) {
        text += key + QLatin1Char('=') + value + QStringLiteral("\r\n");
    };
    auto list = [&](const QString& name, const std::vector<QString>& entries) {
        header(name);
        line(QStringLiteral("count"), QString::number(entries.size()));
        for (size_t i = 0; i < entries.size(); ++i)
            line(QString::number(i), entries[i]);
    };

    header(QStringLiteral("VERSION"));
    line(QStringLiteral("skinname"), FTheme.Name);
    line(QStringLiteral("skinauthor"), QStringLiteral("zarvofx team"));
    line(QStringLiteral("authoremail"), QStringLiteral("skins@zarvofx.org"));
    line(QStringLiteral("authorurl"), QStringLiteral("https://zarvofx.org/skins"));
    line(QStringLiteral("skincomments"), FTheme.Comments);

    header(QStringLiteral("PICTURES"));
    line(QStringLiteral("picture"), FFrame.isNull() ? QString() : QStringLiteral("frame.bmp"));
    line(QStringLiteral("inactivepicture"),
         FInactive.isNull() ? QString() : QStringLiteral("inactiveframe.bmp"));
    line(QStringLiteral("mask"), FMask.isNull() ? QString() : QStringLiteral("framemask.bmp"));
    line(QStringLiteral("activepicturescount"), QString::number(FPictures.size()));
    for (size_t i = 0; i < FPictures.size(); ++i)
        line(QString::number(i), FPictures[i].FileName);

    const QString fixedOrder[] = {QStringLiteral("FORMINFO"), QStringLiteral("POPUPWINDOW"),
                                  QStringLiteral("HINTWINDOW")};
    auto isFixed = [&](const TSkinSection& s) {
        return std::any_of(std::begin(fixedOrder), std::end(fixedOrder), [&](const QString& n) {
            return s.Name().compare(n, Qt::CaseInsensitive) == 0;
        });
    };
    auto body = [&](const TSkinSection& s) {
        header(s.Name());
        for (const auto& [key, value] : s.Keys())
            line(key, value);
    };
    for (const QString& name : fixedOrder)
        for (const TSkinSection& s : FSections)
            if (s.Name().compare(name, Qt::CaseInsensitive) == 0)
                body(s);
    list(QStringLiteral("SKINOBJECTS"), FObjects);
    list(QStringLiteral("SKINCONTROLS"), FControls);
    for (const TSkinSection& s : FSections)
        if (!isFixed(s))
            body(s);
    return text;
}

void TSkinBuilder::Write(const QString& folder) const {
    if (!QDir().mkpath(folder))
        throw EFCreateError(folder, QStringLiteral("the folder cannot be made"));
    const QString base = folder + QLatin1Char('/');
    if (!FFrame.isNull())
        SavePicture(FFrame, base + QStringLiteral("frame.bmp"));
    if (!FInactive.isNull())
        SavePicture(FInactive, base + QStringLiteral("inactiveframe.bmp"));
    if (!FMask.isNull())
        SavePicture(FMask, base + QStringLiteral("framemask.bmp"));
    for (const TPicture& p : FPictures)
        SavePicture(p.Image, base + p.FileName);
    QFile file(base + QStringLiteral("skin.ini"));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        file.write(Gbk::Encode(IniText())) < 0)
        throw EFCreateError(file.fileName(), file.errorString());
}
