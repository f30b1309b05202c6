/* Decodes each image named on the command line with SOIL (the game's image
   decoder) into RGBA and prints: OK|FAIL path width height, then the RGBA of
   pixel (8, 8) and of pixel (8, height - 9), first row of the file at y 0. */
#include <SOIL/SOIL.h>
#include <stdio.h>

int main(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        int w = 0, h = 0, c = 0;
        unsigned char* p = SOIL_load_image(argv[i], &w, &h, &c, SOIL_LOAD_RGBA);
        if (!p) {
            printf("FAIL %s 0 0\n", argv[i]);
            continue;
        }
        int x = w > 8 ? 8 : 0, y0 = h > 8 ? 8 : 0, y1 = h > 9 ? h - 9 : 0;
        const unsigned char* a = p + 4 * (y0 * w + x);
        const unsigned char* b = p + 4 * (y1 * w + x);
        printf("OK %s %d %d %d %d %d %d %d %d %d %d\n", argv[i], w, h,
               a[0], a[1], a[2], a[3], b[0], b[1], b[2], b[3]);
        SOIL_free_image_data(p);
    }
    return 0;
}
