// Showing one record in the detail boxes, with its glyph pictures. Every
// matching record of a scan is shown in turn, so the pictures are set to fit
// each record in full: the last record shown never keeps an earlier
// record's glyph.
#include "data/provinces.h"
#include "data/text_model.h"
#include "window/form.h"
#include "window/glyph_overlay.h"

void Form::showCommandery(const gunrec& r) {
    c_.commanderyName->setText(text::value(r.gunmei));
    c_.commanderyReading->setText(text::value(r.gunyomi));
    c_.households->setText(text::value(r.kosu));
    c_.population->setText(text::value(r.kousu));
    c_.cities->setText(text::value(r.jyo));
    // The whole remark: cutting four characters would lose text of any
    // remark with fewer than four double-byte characters.
    c_.commanderyRemarks->setText(text::value(r.gunbiko));
    // syumei is cut so that a label padded into the field still matches.
    if (const ProvinceRow* row = provinces::byLabel(text::cutValue(r.syumei))) {
        if (row->glyph.isEmpty())
            c_.provinceGlyph->hide();
        applyProvince(*row);
    }
    glyphs::coverCommanderyName(c_.commanderyName->text(), text::value(r.gunji),
                                *c_.commanderyFirstGlyph, *c_.commanderySecondGlyph);
}

void Form::showCounty(const kenrec& r) {
    c_.countyName->setText(text::value(r.kenmei));
    c_.countyReading->setText(text::value(r.kenyomi));
    c_.countyRemarks->setText(text::value(r.kenbiko));
    c_.countyProducts->setText(text::value(r.sanbutu));  // whole, as the remarks
    glyphs::coverCountyName(c_.countyName->text(), text::value(r.kenji), text::value(r.kenji2),
                            *c_.countyFirstGlyph, *c_.countySecondGlyph);
}
