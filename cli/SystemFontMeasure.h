#pragma once

#include "document/MenuLayout.h"

#include <map>
#include <memory>
#include <string>

// Captions measured with the system's fonts as a browser on Linux measures them: the face
// fontconfig gives for the family (the generic names as the browser maps them), shaped by
// HarfBuzz at the pixel size. A face that cannot be loaded falls back to the estimate.
class SystemFontMeasure : public CaptionMeasure
{
public:
    SystemFontMeasure();
    ~SystemFontMeasure() override;
    SystemFontMeasure(const SystemFontMeasure &) = delete;
    SystemFontMeasure &operator=(const SystemFontMeasure &) = delete;

    double width(const std::string &utf8, const CaptionFont &font) const override;

private:
    struct Face;
    const Face *face(const CaptionFont &font) const;

    struct Library;
    // The faces go before the library they were loaded with.
    std::unique_ptr<Library> library_;
    mutable std::map<std::string, std::unique_ptr<Face>> faces_;
    EstimatedMeasure estimate_;
};
