// The Qt adapters behind the control operations, and the real modal boxes
// (built and inspected, never run).
#include "support/window_support.h"

#include "window/widgets/modal_dialogs.h"
#include "window/widgets/qt_controls.h"

#include <QDialogButtonBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>

namespace {

QImage twoTone(QSize size) {
    QImage img(size, QImage::Format_RGB32);
    img.fill(QColor(0x12, 0x34, 0x56));
    img.setPixelColor(0, 0, QColor(0xAB, 0xCD, 0xEF));
    return img;
}

TEST_F(WindowTest, PictureBoxDrawsABitmapFromItsCornerUnscaled) {
    ASSERT_TRUE(twoTone(QSize(10, 12)).save(wd.file(QStringLiteral("ji/small.bmp")), "BMP"));
    ASSERT_TRUE(twoTone(QSize(60, 60)).save(wd.file(QStringLiteral("ji/large.bmp")), "BMP"));
    auto* box = get<PictureWidget>("Picture2");
    PictureBox& picture = pictureBox(2);
    showAndActivate();
    picture.show();
    EXPECT_TRUE(picture.isShown());

    picture.load("ji/small.bmp");
    EXPECT_FALSE(box->pixmap().isNull());
    EXPECT_EQ(picture.bitmap(), QStringLiteral("ji/small.bmp"));
    QImage shot = box->grab().toImage();
    EXPECT_EQ(shot.pixelColor(0, 0), QColor(0xAB, 0xCD, 0xEF));
    EXPECT_EQ(shot.pixelColor(9, 11), QColor(0x12, 0x34, 0x56));
    EXPECT_EQ(shot.pixelColor(15, 20), QColor(0xE0, 0xE0, 0xE0));  // beyond the bitmap

    // Larger than the box: clipped, and the box keeps its size.
    const QSize before = box->size();
    picture.load("ji/large.bmp");
    EXPECT_EQ(box->size(), before);
    shot = box->grab().toImage();
    EXPECT_EQ(shot.pixelColor(box->width() - 1, box->height() - 1), QColor(0x12, 0x34, 0x56));
}

TEST_F(WindowTest, AFailedLoadLeavesThePictureBoxEmpty) {
    ASSERT_TRUE(twoTone(QSize(8, 8)).save(wd.file(QStringLiteral("ji/good.bmp")), "BMP"));
    ASSERT_TRUE(twoTone(QSize(8, 8)).save(wd.file(QStringLiteral("outside.bmp")), "BMP"));
    QFile junk(wd.file(QStringLiteral("ji/junk.bmp")));
    ASSERT_TRUE(junk.open(QIODevice::WriteOnly));
    junk.write("not a bitmap");
    junk.close();
    auto* box = get<PictureWidget>("Picture4");
    PictureBox& picture = pictureBox(4);

    for (const char* bad : {"ji/missing.bmp", "ji/junk.bmp", "outside.bmp"}) {
        picture.load("ji/good.bmp");
        ASSERT_FALSE(box->pixmap().isNull());
        picture.load(QString::fromUtf8(bad));
        EXPECT_TRUE(box->pixmap().isNull()) << bad;
        EXPECT_EQ(picture.bitmap(), QString()) << bad;
    }
    // Loading changes nothing about visibility; hiding keeps the image.
    EXPECT_FALSE(picture.isShown());
    picture.load("ji/good.bmp");
    picture.show();
    picture.hide();
    EXPECT_FALSE(picture.isShown());
    EXPECT_EQ(picture.bitmap(), QStringLiteral("ji/good.bmp"));
}

// Every role's slot reaches the widget the design names for it, on the real
// window, and the in-memory window fills the same slots: a row wired to the
// wrong slot or none would send a handler's output to the wrong box.
TEST_F(WindowTest, EachControlSlotReachesTheWidgetOfItsName) {
    MemoryWindow memory(wd.gazetteer());
    const Controls& c = window.controls();
    int texts = 0, lists = 0, pictures = 0;
    for (const ui::ControlRow& row : ui::controlTable()) {
        const QString name = row.name.toString();
        QWidget* w = window.control(name);
        if (TextBox* box = c.text(row.role)) {
            ++texts;
            EXPECT_NE(memory.c.text(row.role), nullptr) << name.toStdString();
            box->setText(QStringLiteral("印") + name);
            const auto* line = qobject_cast<QLineEdit*>(w);
            const auto* plain = qobject_cast<QPlainTextEdit*>(w);
            EXPECT_EQ(line ? line->text() : plain ? plain->toPlainText() : QString(), QStringLiteral("印") + name);
        } else if (ListBox* list = c.list(row.role)) {
            ++lists;
            EXPECT_NE(memory.c.list(row.role), nullptr) << name.toStdString();
            list->clear();
            list->append(name);
            EXPECT_EQ(get<QListWidget>(name)->item(0)->text(), name);
        } else if (PictureBox* picture = c.picture(row.role)) {
            ++pictures;
            EXPECT_NE(memory.c.picture(row.role), nullptr) << name.toStdString();
            picture->show();
            EXPECT_FALSE(w->isHidden()) << name.toStdString();
            picture->hide();
            EXPECT_TRUE(w->isHidden()) << name.toStdString();
        }
    }
    EXPECT_EQ(texts, 12);
    EXPECT_EQ(lists, 3);
    EXPECT_EQ(pictures, 5);
    ASSERT_NE(c.prompt, nullptr);
    c.prompt->setCaption(QStringLiteral("見出し"));
    EXPECT_EQ(get<QLabel>(QStringLiteral("Label1"))->text(), QStringLiteral("見出し"));
    ASSERT_NE(memory.c.prompt, nullptr);
    EXPECT_EQ(memory.c.prompt->caption(), QStringLiteral("漢字を入力して下さい"));
}

TEST(ModalDialogs, MessageBoxHasTitleTextOneOkAndNoIcon) {
    const auto box = ModalDialogs::buildMessage(nullptr, QStringLiteral("検索"),
                                                QStringLiteral("見つかりませんでした。<b>"));
    EXPECT_EQ(box->windowTitle(), QStringLiteral("検索"));
    EXPECT_EQ(box->text(), QStringLiteral("見つかりませんでした。<b>"));
    EXPECT_EQ(box->textFormat(), Qt::PlainText);
    EXPECT_EQ(box->icon(), QMessageBox::NoIcon);
    EXPECT_EQ(box->standardButtons(), QMessageBox::Ok);
}

TEST(ModalDialogs, InputDialogIsPrefilledAndCancelGivesEmpty) {
    const auto dialog = ModalDialogs::buildInput(nullptr, QStringLiteral("ホームページはこちらから。"),
                                                 QStringLiteral("ＨＰ"), QStringLiteral("https://x.example/"));
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("ＨＰ"));
    EXPECT_EQ(dialog->labelText(), QStringLiteral("ホームページはこちらから。"));
    EXPECT_EQ(dialog->inputMode(), QInputDialog::TextInput);
    auto* field = dialog->findChild<QLineEdit*>();
    ASSERT_TRUE(field);
    EXPECT_EQ(field->text(), QStringLiteral("https://x.example/"));
    auto* buttons = dialog->findChild<QDialogButtonBox*>();
    ASSERT_TRUE(buttons);
    EXPECT_EQ(buttons->standardButtons(), QDialogButtonBox::Ok | QDialogButtonBox::Cancel);

    field->setText(QStringLiteral("edited"));
    EXPECT_EQ(ModalDialogs::answer(*dialog, QDialog::Accepted), QStringLiteral("edited"));
    EXPECT_EQ(ModalDialogs::answer(*dialog, QDialog::Rejected), QString());
}

}  // namespace
