#pragma once

#include <QImage>
#include <string>

class CAppObject;
class QWidget;

/// Picture loading, the picture-format filter and the about box. Each operation may throw CError.
class IPictureServices {
public:
    virtual ~IPictureServices() = default;

    /// "label|patterns" pairs for the formats that LoadPictureFile reads.
    virtual std::u16string GetPictureFilter() = 0;
    /// The picture in the file; a file that is no picture or of a format not supported throws.
    virtual QImage LoadPictureFile(const std::u16string& path) = 0;
    /// The program's modal about box for `owner`.
    virtual void ShowAbout(QWidget* owner, const CAppObject& app, const std::u16string& text,
                           const QImage& picture, const std::u16string& name) = 0;
};
