#pragma once

#include "core/Seam.h"

#include <QString>

class QWidget;

namespace vlnokan::templ {

// Where the user wants a file saved: empty when the choice was cancelled.
class FileChooser {
public:
    virtual ~FileChooser() = default;
    virtual QString saveFileName(QWidget* parent, const QString& caption,
                                 const QString& filter) = 0;
};

class QtFileChooser final : public FileChooser {
public:
    QString saveFileName(QWidget* parent, const QString& caption, const QString& filter) override;
};

using FileChooserSeam = Seam<FileChooser, QtFileChooser>;

} // namespace vlnokan::templ
