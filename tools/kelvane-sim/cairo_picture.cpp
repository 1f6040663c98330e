#include "cairo_picture.h"

namespace kelvane_sim {

CairoPicture::CairoPicture(int width, int height, const Colour& background)
    : surface_(cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height)), cairo_(cairo_create(surface_)) {
    SetColour(cairo_, background);
    cairo_paint(cairo_);
}

CairoPicture::~CairoPicture() {
    cairo_destroy(cairo_);
    cairo_surface_destroy(surface_);
}

bool CairoPicture::WritePng(const std::filesystem::path& file, std::string& error) const {
    cairo_surface_flush(surface_);
    const cairo_status_t status = cairo_surface_write_to_png(surface_, file.string().c_str());
    if (status != CAIRO_STATUS_SUCCESS) {
        error = "cannot write " + file.string() + ": " + cairo_status_to_string(status);
        return false;
    }
    return true;
}

}  // namespace kelvane_sim
