#pragma once
// The metafile viewer: a small window showing a chart sheet saved as an enhanced
// metafile ("Emf\" + MetafileName), stretched to fill the window.
#include <QDialog>
#include <QImage>
#include <QString>
#include <filesystem>
#include <string>
#include <string_view>

class QPushButton;

namespace display {

struct DrawingState;

// What makes a metafile that fails its check damaged or incomplete, as a
// message says it.
std::string MetafileDamage(const std::string& bytes);

class MetafileViewer : public QDialog {
    Q_OBJECT
public:
    // The viewer shows the metafile the drawing state names.
    explicit MetafileViewer(const DrawingState& drawing, QWidget* parent = nullptr);

    QPushButton* closeButton = nullptr;

    // The caption and the picture of the metafile the drawing state names.
    void ShowCurrentFile();
    // The close button kept at its distance from the bottom-right corner, and
    // the picture drawn again at the window's size.
    void FitToSize();

    // The picture as last drawn (client size).
    QImage Picture() const { return picture_; }
    // True when the last drawing found no file (the window then says so).
    bool FileMissing() const { return missing_; }

protected:
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void DrawFile();
    const DrawingState& drawing_;
    QImage picture_;
    bool missing_ = false;  // the file was not there at the last drawing
};

// The file the viewer shows for a metafile name: "Emf\" + the name in the
// working folder, as a full path (UTF-8).
std::filesystem::path MetafileViewerFile(std::string_view metafileName);
// The viewer's caption: that full path.
QString MetafileViewerCaption(std::string_view metafileName);
// What is said of a metafile that is not there (Windows-1252).
std::string MissingMetafileMessage(std::string_view metafileName);

}  // namespace display
