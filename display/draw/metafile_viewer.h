#pragma once
// The metafile viewer: a small window showing a chart sheet saved as an enhanced
// metafile ("Emf\" + MetafileName), stretched to fill the window.
#include <QDialog>
#include <QImage>
#include <string>
#include <string_view>

class QPushButton;

namespace display {

// What makes a metafile that fails its check damaged or incomplete, as a
// message says it.
std::string MetafileDamage(const std::string& bytes);

class TFoMetGra : public QDialog {
    Q_OBJECT
public:
    explicit TFoMetGra(QWidget* parent = nullptr);

    QPushButton* BBClose = nullptr;

    void FormActivate();
    void FormResize();
    void BBCloseClick();

    // The picture as last drawn (client size).
    QImage Picture() const { return picture_; }

protected:
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void DrawFile();
    QImage picture_;
};

extern TFoMetGra* FoMetGra;

// "D:\Vandrel\ExKelvor\Emf\GRAF01.EMF" + "  " + " " for the program's folder
// (its first character is the drive letter; "C" when it is not a letter).
std::string MetafileViewerCaption(std::string_view programFolder, std::string_view metafileName);

}  // namespace display
