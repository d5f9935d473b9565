#pragma once

#include "platform/skin/SkinItem.h"

#include <QString>
#include <memory>
#include <vector>

namespace varnelo {

struct SvgNode;

// A loaded skin file: one SVG document (plain or gzip-compressed) whose
// elements marked with skin attributes form the skin's forms and objects.
// The format is described in skins/README.md.
class SkinDocument {
public:
    // Reads and checks the file; throws AppError naming the file.
    static std::unique_ptr<SkinDocument> Load(const QString& path);
    // Same from bytes already read; `what` names the source in messages.
    static std::unique_ptr<SkinDocument> FromData(const QByteArray& data, const QString& what);
    ~SkinDocument();

    SkinForm* form(const QString& name) const;
    const std::vector<std::unique_ptr<SkinForm>>& forms() const { return forms_; }

private:
    SkinDocument() = default;
    std::vector<std::unique_ptr<SkinForm>> forms_;
};

} // namespace varnelo
