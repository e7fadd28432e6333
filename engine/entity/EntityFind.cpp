// Lookups of entities by name, path and tag over the current scene.
#include <string>
#include <vector>

#include "engine/entity/Entity.h"
#include "engine/entity/SceneRoots.h"
#include "engine/entity/Transform.h"
#include "engine/scene/ValueText.h"

namespace VelaEngine {

namespace {

// Runs of '/' count as one; leading and trailing ones give no empty part.
std::vector<std::string> SplitPath(const std::string& path) {
    return SplitText(path, "/");
}

std::string JoinRest(const std::vector<std::string>& parts) {
    std::string rest;
    for (std::size_t i = 1; i < parts.size(); ++i) {
        if (i > 1) {
            rest += '/';
        }
        rest += parts[i];
    }
    return rest;
}

// Calls `visit` on every entity below the roots, level by level; stops when it returns true.
template <class Visit>
void BreadthFirst(const EntityList& roots, Visit&& visit) {
    std::vector<Entity*> level;
    for (const auto& root : roots) {
        level.push_back(root.get());
    }
    std::vector<Entity*> next;
    while (!level.empty()) {
        for (Entity* entity : level) {
            if (visit(*entity)) {
                return;
            }
        }
        next.clear();
        for (Entity* entity : level) {
            for (const auto& child : entity->GetChildren()) {
                next.push_back(child.get());
            }
        }
        level.swap(next);
    }
}

}  // namespace

Entity* Entity::Find(const std::string& path) {
    const EntityList* roots = GetSceneRoots();
    if (roots == nullptr) {
        return nullptr;
    }
    const std::vector<std::string> parts = SplitPath(path);
    if (parts.size() < 2) {
        Entity* found = nullptr;
        BreadthFirst(*roots, [&](Entity& entity) {
            if (entity.GetName() == path) {
                found = &entity;
            }
            return found != nullptr;
        });
        return found;
    }
    const std::string rest = JoinRest(parts);
    for (const auto& root : *roots) {
        if (root->GetName() != parts[0]) {
            continue;
        }
        if (Transform* child = root->GetTransform().FindChild(rest)) {
            return child->GetOwner();
        }
    }
    return nullptr;
}

std::vector<Entity*> Entity::FindWithTag(const std::string& tag) {
    std::vector<Entity*> tagged;
    if (const EntityList* roots = GetSceneRoots()) {
        BreadthFirst(*roots, [&](Entity& entity) {
            if (entity.HasTag(tag)) {
                tagged.push_back(&entity);
            }
            return false;
        });
    }
    return tagged;
}

Transform* Transform::FindChild(const std::string& path) const {
    const std::vector<std::string> parts = SplitPath(path);
    // A path with no name in it names nothing.
    if (parts.empty()) {
        return nullptr;
    }
    const EntityList& children = GetOwner()->GetChildren();
    if (parts.size() == 1) {
        for (const auto& child : children) {
            if (child->GetName() == parts[0]) {
                return &child->GetTransform();
            }
        }
        return nullptr;
    }
    const std::string rest = JoinRest(parts);
    for (const auto& child : children) {
        if (child->GetName() != parts[0]) {
            continue;
        }
        if (Transform* found = child->GetTransform().FindChild(rest)) {
            return found;
        }
    }
    return nullptr;
}

}  // namespace VelaEngine
