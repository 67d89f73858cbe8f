#pragma once

#include "IPictureServices.h"

#include <QString>

/// Pictures through QImageReader and the about box on QMessageBox.
class CPictureServices final : public IPictureServices {
public:
    std::u16string GetPictureFilter() override;
    QImage LoadPictureFile(const std::u16string& path) override;
    void ShowAbout(QWidget* owner, const CAppObject& app, const std::u16string& text,
                   const QImage& picture, const std::u16string& name) override;

    /// What the about box says: title, version, then the text and the name, each when given.
    static QString AboutText(const CAppObject& app, const std::u16string& text,
                             const std::u16string& name);
};
