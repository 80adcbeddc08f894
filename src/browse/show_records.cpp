// Showing one record in the detail boxes, with its glyph pictures. Every
// matching record of a scan is shown in turn, so the pictures are set to fit
// each record in full: the last record shown never keeps an earlier
// record's glyph.
#include "data/provinces.h"
#include "data/text_model.h"
#include "window/form.h"
#include "window/glyph_overlay.h"

void Form::showCommandery(const gunrec& r) {
    text(2).setText(text::value(r.gunmei));
    text(4).setText(text::value(r.gunyomi));
    text(6).setText(text::value(r.kosu));
    text(7).setText(text::value(r.kousu));
    text(8).setText(text::value(r.jyo));
    // The whole remark: cutting four characters would lose text of any
    // remark with fewer than four double-byte characters.
    text(12).setText(text::value(r.gunbiko));
    // syumei is cut so that a label padded into the field still matches.
    if (const ProvinceRow* row = provinces::byLabel(text::cutValue(r.syumei))) {
        if (row->glyph.isEmpty())
            picture(1).hide();
        applyProvince(*row);
    }
    glyphs::coverCommanderyName(text(2).text(), text::value(r.gunji), picture(2), picture(3));
}

void Form::showCounty(const kenrec& r) {
    text(3).setText(text::value(r.kenmei));
    text(5).setText(text::value(r.kenyomi));
    text(9).setText(text::value(r.kenbiko));
    text(10).setText(text::value(r.sanbutu));  // whole, as the remarks
    glyphs::coverCountyName(text(3).text(), text::value(r.kenji), text::value(r.kenji2),
                            picture(4), picture(5));
}
