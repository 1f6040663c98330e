#pragma once
// A picture drawn with cairo on a plain background and written as PNG.

#include <cairo.h>

#include <filesystem>
#include <string>

#include "picture_text.h"

namespace kelvane_sim {

class CairoPicture {
public:
    CairoPicture(int width, int height, const Colour& background);
    ~CairoPicture();
    CairoPicture(const CairoPicture&) = delete;
    CairoPicture& operator=(const CairoPicture&) = delete;

    cairo_t* Context() const { return cairo_; }
    // False with a reason when the file cannot be written.
    bool WritePng(const std::filesystem::path& file, std::string& error) const;

private:
    cairo_surface_t* surface_;
    cairo_t* cairo_;
};

}  // namespace kelvane_sim
