#include "report/xlsx/relationships.h"

#include "report/xlsx/xml_text.h"

namespace pelvane::report {

std::string_view Relationship::kind() const {
    const std::string_view full = type;
    const auto slash = full.rfind('/');
    return slash == std::string_view::npos ? full : full.substr(slash + 1);
}

std::string relationships_part(std::string_view source_part) {
    const auto slash = source_part.rfind('/');
    const std::string_view folder =
        slash == std::string_view::npos ? std::string_view() : source_part.substr(0, slash + 1);
    const std::string_view name =
        slash == std::string_view::npos ? source_part : source_part.substr(slash + 1);
    return std::string(folder) + "_rels/" + std::string(name) + ".rels";
}

std::string resolve_target(std::string_view source_part, std::string_view target) {
    std::vector<std::string> segments;
    if (target.empty() || target.front() != '/') {
        const auto slash = source_part.rfind('/');
        std::string_view folder =
            slash == std::string_view::npos ? std::string_view() : source_part.substr(0, slash);
        while (!folder.empty()) {
            const auto cut = folder.find('/');
            segments.emplace_back(folder.substr(0, cut));
            folder = cut == std::string_view::npos ? std::string_view() : folder.substr(cut + 1);
        }
    }
    while (!target.empty()) {
        const auto cut = target.find('/');
        const std::string_view segment = target.substr(0, cut);
        if (segment == "..") {
            if (!segments.empty()) segments.pop_back();
        } else if (!segment.empty() && segment != ".") {
            segments.emplace_back(segment);
        }
        target = cut == std::string_view::npos ? std::string_view() : target.substr(cut + 1);
    }
    std::string part;
    for (const auto& segment : segments) {
        if (!part.empty()) part += '/';
        part += segment;
    }
    return part;
}

std::vector<Relationship> read_relationships(const ZipPackage& package,
                                             std::string_view source_part) {
    const std::string part = relationships_part(source_part);
    std::vector<Relationship> relationships;
    if (!package.contains(part)) return relationships;
    pugi::xml_document document;
    parse_xml(document, package.data(part), part);
    for (const pugi::xml_node node : document.document_element().children("Relationship")) {
        Relationship relationship;
        relationship.id = node.attribute("Id").value();
        relationship.type = node.attribute("Type").value();
        relationship.external =
            std::string_view(node.attribute("TargetMode").value()) == "External";
        relationship.target = relationship.external
                                  ? node.attribute("Target").value()
                                  : resolve_target(source_part, node.attribute("Target").value());
        relationships.push_back(std::move(relationship));
    }
    return relationships;
}

void remove_related_part(ZipPackage& package, std::string_view source_part,
                         const Relationship& relationship) {
    const std::string part = relationships_part(source_part);
    pugi::xml_document relations;
    parse_xml(relations, package.data(part), part);
    for (pugi::xml_node node : relations.document_element().children("Relationship")) {
        if (relationship.id == node.attribute("Id").value()) {
            relations.document_element().remove_child(node);
            break;
        }
    }
    package.put(part, write_xml(relations));

    const std::string types_part = "[Content_Types].xml";
    if (package.contains(types_part)) {
        pugi::xml_document types;
        parse_xml(types, package.data(types_part), types_part);
        const std::string name = "/" + relationship.target;
        for (pugi::xml_node node : types.document_element().children("Override")) {
            if (name == node.attribute("PartName").value()) {
                types.document_element().remove_child(node);
                break;
            }
        }
        package.put(types_part, write_xml(types));
    }
    package.remove(relationship.target);
}

}  // namespace pelvane::report
