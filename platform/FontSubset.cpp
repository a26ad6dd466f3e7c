#include "FontSubset.h"

#include <QRawFont>
#include <hb-subset.h>
#include <memory>

namespace {

template<typename T, void (*destroy)(T *)> struct HbDeleter
{
    void operator()(T *object) const { destroy(object); }
};
using Blob = std::unique_ptr<hb_blob_t, HbDeleter<hb_blob_t, hb_blob_destroy>>;
using Face = std::unique_ptr<hb_face_t, HbDeleter<hb_face_t, hb_face_destroy>>;
using SubsetInput =
    std::unique_ptr<hb_subset_input_t, HbDeleter<hb_subset_input_t, hb_subset_input_destroy>>;

// The tables a subset can carry: the required ones, outlines (TrueType, CFF, colour)
// and layout. Hinting and the legacy kerning table are left behind on purpose.
constexpr const char *carriedTables[] = {
    "cmap", "head", "hhea", "hmtx", "maxp", "name", "OS/2", "post", "glyf", "loca", "CFF ",
    "CFF2", "VORG", "GDEF", "GSUB", "GPOS", "COLR", "CPAL", "CBDT", "CBLC", "sbix", "SVG ",
};

hb_tag_t tag(const char *name)
{
    return hb_tag_from_string(name, 4);
}

Blob blobOf(const QByteArray &bytes)
{
    return Blob(hb_blob_create(bytes.constData(), static_cast<unsigned>(bytes.size()),
                               HB_MEMORY_MODE_DUPLICATE, nullptr, nullptr));
}

// Qt hands out a face's tables one by one; the subsetter needs them as one font file.
Face wholeFace(const QRawFont &font)
{
    const Face builder(hb_face_builder_create());
    for (const char *name : carriedTables) {
        const QByteArray table = font.fontTable(name);
        if (!table.isEmpty())
            hb_face_builder_add_table(builder.get(), tag(name), blobOf(table).get());
    }
    const Blob file(hb_face_reference_blob(builder.get()));
    return Face(hb_face_create(file.get(), 0));
}

} // namespace

QByteArray fontSubset(const QRawFont &font, const QSet<char32_t> &codePoints,
                      const QSet<quint32> &glyphs)
{
    if (!font.isValid())
        return {};
    const Face face = wholeFace(font);
    const SubsetInput input(hb_subset_input_create_or_fail());
    if (!input)
        return {};
    hb_set_t *unicodes = hb_subset_input_unicode_set(input.get());
    for (const char32_t codePoint : codePoints)
        hb_set_add(unicodes, codePoint);
    hb_set_t *glyphIds = hb_subset_input_glyph_set(input.get());
    for (const quint32 glyph : glyphs)
        hb_set_add(glyphIds, glyph);
    // HarfBuzz keeps the layout features a renderer applies by default: words that were
    // shaped are shaped again the same way, and a word set unshaped is positioned one
    // character at a time, where no feature spans two characters.
    hb_subset_input_set_flags(input.get(), HB_SUBSET_FLAGS_NO_HINTING);

    const Face subset(hb_subset_or_fail(face.get(), input.get()));
    if (!subset)
        return {};
    const Blob file(hb_face_reference_blob(subset.get()));
    unsigned int length = 0;
    const char *data = hb_blob_get_data(file.get(), &length);
    return QByteArray(data, length);
}
