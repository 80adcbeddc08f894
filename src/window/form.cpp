// Start-up, the search options and the province catalogue applied to the
// window.
#include "window/form.h"

#include "data/provinces.h"
#include "window/glyph_overlay.h"
#include "window/prompts.h"

Form::Form(const Controls& controls, const Gazetteer& gazetteer) : c_(controls), g_(gazetteer) {}

void Form::Form_Load() {
    for (const ProvinceRow& row : provinces::rows())
        c_.provinces->append(row.label);
    kop = kCommanderyNames;
}

void Form::setMode(SearchMode mode) {
    kop = mode;
    c_.prompt->setCaption(prompts::forMode(mode));
}

void Form::mnukan_Click() { setMode(kCommanderyNames); }
void Form::mnuyomi_Click() { setMode(kCommanderyReadings); }
void Form::mnukan2_Click() { setMode(kCountyNames); }
void Form::mnuyomi2_Click() { setMode(kCountyReadings); }
void Form::mnubiko2_Click() { setMode(kCountyRemarks); }

void Form::applyProvince(const ProvinceRow& row) {
    fname = row.countyFile;
    c_.provinceName->setText(row.display);
    if (!row.glyph.isEmpty())
        glyphs::showWithBitmap(*c_.provinceGlyph, row.glyph);
}

void Form::clear(std::initializer_list<TextBox*> boxes) {
    for (TextBox* box : boxes)
        box->setText(QString());
}

void Form::hide(std::initializer_list<PictureBox*> pictures) {
    for (PictureBox* picture : pictures)
        picture->hide();
}
