// Start-up, the search options and the province catalogue applied to the
// window.
#include "window/form.h"

#include "data/provinces.h"
#include "window/glyph_overlay.h"
#include "window/prompts.h"

Form::Form(const Controls& controls) : c_(controls) {}

void Form::Form_Load() {
    for (const ProvinceRow& row : provinces::rows())
        list(3).append(row.label);
    kop = 1;
}

void Form::setMode(std::int16_t mode) {
    kop = mode;
    c_.label1->setCaption(prompts::forMode(mode));
}

void Form::mnukan_Click() { setMode(1); }
void Form::mnuyomi_Click() { setMode(2); }
void Form::mnukan2_Click() { setMode(3); }
void Form::mnuyomi2_Click() { setMode(4); }
void Form::mnubiko2_Click() { setMode(5); }

void Form::applyProvince(const ProvinceRow& row) {
    fname = row.countyFile;
    text(1).setText(row.display);
    if (!row.glyph.isEmpty())
        glyphs::showWithBitmap(picture(1), row.glyph);
}

void Form::hidePictures(int first, int last) {
    for (int n = first; n <= last; ++n)
        picture(n).hide();
}
