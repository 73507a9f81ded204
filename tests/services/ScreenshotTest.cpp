// Screenshot files: where they go, their names, their contents and the reasons a write fails.
#include "TempFolder.h"
#include "services/ScreenshotFile.h"

#include <QDir>
#include <QFile>
#include <QImageReader>

#include <gtest/gtest.h>

namespace quillora {
namespace {

const QDateTime kWhen(QDate(2026, 12, 8), QTime(16, 35, 12));

QImage Frame(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(QColor(10, 200, 30));
    image.setPixelColor(0, 0, Qt::red);
    return image;
}

TEST(ScreenshotFile, APngOfTheFrameInAFolderNamedAfterTheGameNeverOverwritten) {
    test::TempFolder pictures;
    const QString folder = QString::fromStdString(pictures.Path()) + "no/such/Pictures";
    const ScreenshotResult first = SaveScreenshot(Frame(320, 200), "The Castle", kWhen, folder);
    ASSERT_TRUE(first.Written) << first.Error.toStdString();
    EXPECT_EQ(first.Path, folder + "/The Castle/The Castle 2026-12-08 16-35-12.png");
    EXPECT_TRUE(first.Error.isEmpty());
    QImageReader reader(first.Path);
    EXPECT_EQ(reader.format(), "png");
    const QImage read = reader.read();
    EXPECT_EQ(read.size(), QSize(320, 200));
    EXPECT_EQ(read.pixelColor(0, 0), QColor(Qt::red));
    EXPECT_EQ(read.pixelColor(5, 5), QColor(10, 200, 30));

    // The same second again: a new name, the first file untouched.
    const ScreenshotResult second = SaveScreenshot(Frame(8, 8), "The Castle", kWhen, folder);
    ASSERT_TRUE(second.Written);
    EXPECT_EQ(second.Path, folder + "/The Castle/The Castle 2026-12-08 16-35-12 (2).png");
    EXPECT_EQ(QImage(first.Path).size(), QSize(320, 200));
}

TEST(ScreenshotFile, AGameNameNeverLeadsOutOfThePicturesFolder) {
    EXPECT_EQ(GameFolderName("a/b\\c:d\ne"), "a_b_c_d_e");
    EXPECT_EQ(GameFolderName(".."), "_.");
    EXPECT_EQ(GameFolderName("  "), "Quillora");
    EXPECT_EQ(GameFolderName(std::string(300, 'n')).size(), 64);
    test::TempFolder pictures;
    const QString folder = QString::fromStdString(pictures.Path());
    const ScreenshotResult result = SaveScreenshot(Frame(4, 4), "../escape", kWhen, folder);
    ASSERT_TRUE(result.Written);
    EXPECT_TRUE(result.Path.startsWith(folder + "_._escape/")) << result.Path.toStdString();
}

TEST(ScreenshotFile, AFailureSaysWhy) {
    test::TempFolder pictures;
    const QString root = QString::fromStdString(pictures.Path());
    // The pictures "folder" is a file: no folder can be made under it.
    QFile blocker(root + "Pictures");
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    ScreenshotResult result = SaveScreenshot(Frame(4, 4), "Game", kWhen, root + "Pictures");
    EXPECT_FALSE(result.Written);
    EXPECT_EQ(result.Path, root + "Pictures/Game");
    EXPECT_EQ(result.Error, "Not a directory");

    // The game's folder is taken by a file.
    QDir(root).mkpath("Other");
    QFile inTheWay(root + "Other/Game");
    ASSERT_TRUE(inTheWay.open(QIODevice::WriteOnly));
    inTheWay.close();
    result = SaveScreenshot(Frame(4, 4), "Game", kWhen, root + "Other");
    EXPECT_FALSE(result.Written);
    EXPECT_FALSE(result.Error.isEmpty());

    result = SaveScreenshot(QImage(), "Game", kWhen, root + "Empty");
    EXPECT_FALSE(result.Written);
    EXPECT_EQ(result.Error, "there is no picture to save");
}

} // namespace
} // namespace quillora
