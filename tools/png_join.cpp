// velmora-png-join: places PNG pictures side by side, top-aligned, with a
// small transparent gap between them; for the pictures in docs/.
#include <cairo.h>

#include <algorithm>
#include <cstdio>
#include <vector>

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: velmora-png-join OUT.png IN.png...\n");
        return 2;
    }
    constexpr int kGap = 16;
    std::vector<cairo_surface_t*> pictures;
    int width = 0;
    int height = 0;
    int status = 0;
    for (int i = 2; i < argc; ++i) {
        cairo_surface_t* picture = cairo_image_surface_create_from_png(argv[i]);
        pictures.push_back(picture);
        if (cairo_surface_status(picture) != CAIRO_STATUS_SUCCESS) {
            std::fprintf(stderr, "velmora-png-join: cannot read %s: %s\n", argv[i],
                         cairo_status_to_string(cairo_surface_status(picture)));
            status = 1;
            continue;
        }
        width += (i > 2 ? kGap : 0) + cairo_image_surface_get_width(picture);
        height = std::max(height, cairo_image_surface_get_height(picture));
    }
    if (status == 0) {
        cairo_surface_t* joined = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height);
        cairo_t* cr = cairo_create(joined);
        double x = 0.0;
        for (cairo_surface_t* picture : pictures) {
            cairo_set_source_surface(cr, picture, x, 0.0);
            cairo_paint(cr);
            x += cairo_image_surface_get_width(picture) + kGap;
        }
        cairo_destroy(cr);
        if (const cairo_status_t written = cairo_surface_write_to_png(joined, argv[1]); written != CAIRO_STATUS_SUCCESS) {
            std::fprintf(stderr, "velmora-png-join: cannot write %s: %s\n", argv[1], cairo_status_to_string(written));
            status = 1;
        }
        cairo_surface_destroy(joined);
    }
    for (cairo_surface_t* picture : pictures) {
        cairo_surface_destroy(picture);
    }
    return status;
}
