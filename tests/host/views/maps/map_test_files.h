#pragma once
// A folder of a test's own for pictures and their calibration files.
#include <QImage>
#include <QPainter>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "platform/text.h"

class TestFolder {
public:
    TestFolder() {
        std::string pattern = (std::filesystem::temp_directory_path() / "veltro-maps-XXXXXX").string();
        if (::mkdtemp(pattern.data())) path = pattern;
    }
    ~TestFolder() { std::filesystem::remove_all(path); }

    std::string Write(const std::string& name, const std::string& text) const {
        const std::filesystem::path file = path / name;
        std::filesystem::create_directories(file.parent_path());
        std::ofstream(file, std::ios::binary) << text;
        return file.string();
    }
    // A picture with a grid every 50 pixels, so that zoom and scroll show.
    std::string Picture(const std::string& name, int width, int height, const char* format = "PNG") const {
        const std::filesystem::path file = path / name;
        std::filesystem::create_directories(file.parent_path());
        QImage image(width, height, QImage::Format_RGB32);
        image.fill(QColor(236, 232, 214));
        QPainter painter(&image);
        painter.setPen(QColor(170, 190, 170));
        for (int x = 0; x < width; x += 50) painter.drawLine(x, 0, x, height);
        for (int y = 0; y < height; y += 50) painter.drawLine(0, y, width, y);
        painter.setPen(QPen(QColor(120, 160, 220), 8));
        painter.drawLine(0, height * 2 / 3, width, height / 3);
        painter.end();
        image.save(QString::fromStdString(file.string()), format);
        return file.string();
    }

    std::filesystem::path path;
};

// The three references of a north-up picture: its top-left pixel at lon0, lat0, a pixel of
// degreesPerPixel.
inline std::string Mcf(double lon0, double lat0, double degreesPerPixel, const std::string& markers = {}) {
    const auto reference = [&](int key, int x, int y) {
        return platform::FormatC("%d=%d, %d, %.9f, %.9f\r\n", key, x, y, lon0 + x * degreesPerPixel,
                                 lat0 - y * degreesPerPixel);
    };
    return "[Reference]\r\n" + reference(1, 0, 0) + reference(2, 400, 0) + reference(3, 0, 300) + markers;
}
