#pragma once

#include <QtGlobal>
#include <functional>
#include <memory>

class TDictConfig;

// Type codes of the stored kinds; the high word of event 100 names the kind whose table changed.
enum TEntityType : int {
    TYPE_WEIGHING = 0,
    TYPE_MEASUREMENT = 1,
    TYPE_RECORD = 2,
    TYPE_VEHICLE = 3,
    TYPE_MODEL = 4,
    TYPE_DRIVER = 5,
};

// A stored object with an integer id (0: new or cleared) that loads, saves, deletes and resets itself.
class TEntity {
public:
    virtual ~TEntity() = default;

    virtual int TypeCode() const = 0;
    // Clears the instance, then fills it from the row with that id; true when it holds a stored row.
    virtual bool Load(int id) = 0;
    // Inserts a new instance (allocating its id first) or updates a stored one.
    virtual void Save() = 0;
    // Deletes the row with that id, after the kind's reference check; true when deleted.
    virtual bool Delete(int id) = 0;
    // A new, empty instance of the same kind, owned by the caller.
    virtual std::unique_ptr<TEntity> CreateInstance() const = 0;
    virtual void Clear() { Id = 0; }

    qint32 Id = 0;
};

// An entity the operator browses and edits. It announces what happened in its windows through posted form
// events, which the main window turns into calls of these callbacks.
class TVisualEntity : public TEntity {
public:
    TVisualEntity();
    // Runs ReleaseHook, then destroys the entity's windows and its view configuration, in that order.
    ~TVisualEntity() override;

    // The configuration of this kind's dictionary view: its .dict name, query, buttons, filters and refresh.
    virtual std::unique_ptr<TDictConfig> CreateDictConfig() = 0;
    // The configuration the entity's view uses, made by CreateDictConfig on first use and kept.
    TDictConfig* DictConfig();

    // Run when a row was chosen in this entity's select-mode view.
    std::function<void()> OnSelected;
    // Run when this entity's edit frame closed; saved tells Save from Cancel.
    std::function<void(TVisualEntity* entity, bool saved)> OnEditorClosed;
    // Where this entity's windows put their navigator node: at the root, or under the selected node.
    bool TopLevel = false;

    // Called first when the entity is destroyed, and when an editor that used it closes.
    virtual void ReleaseHook() {}

    // Posts a form event with this entity as its object: code in the low word, flag in the high word.
    void NotifyChanged(quint16 code, quint16 flag);

private:
    std::unique_ptr<TDictConfig> Config;
};
