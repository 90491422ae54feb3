#pragma once

#include <memory>
#include <optional>

namespace tabulara::host {

// Every host object derives from Object so that a reference of unknown kind
// (a selection, an event's sheet) can be tested for its kind with
// std::dynamic_pointer_cast.
class Object {
 public:
  virtual ~Object() = default;
};

// A reference to a host object. Never nullptr: a member that may have no
// object to give returns Maybe<T>.
template <class T>
using Ref = std::shared_ptr<T>;

template <class T>
using Maybe = std::optional<Ref<T>>;

// The host's enumeration of a collection (_NewEnum).
template <class T>
class Enumerator {
 public:
  virtual ~Enumerator() = default;
  virtual Maybe<T> Next() = 0;
};

// Lets a host enumeration drive a range-based for loop:
//   for (const Ref<Sheet>& sheet : Each(workbook->Sheets())) ...
template <class T>
class Each {
 public:
  template <class Collection>
  explicit Each(const Ref<Collection>& collection) : enumerator_(collection->NewEnum()) {}

  class iterator {
   public:
    explicit iterator(Enumerator<T>* source) : source_(source) { Advance(); }
    const Ref<T>& operator*() const { return *current_; }
    iterator& operator++() {
      Advance();
      return *this;
    }
    bool operator!=(const iterator& other) const { return current_.has_value() != other.current_.has_value(); }

   private:
    // The item given before is let go first, so that a host may reuse it.
    void Advance() {
      current_.reset();
      if (source_ != nullptr) current_ = source_->Next();
    }
    Enumerator<T>* source_;
    Maybe<T> current_;
  };

  iterator begin() { return iterator(enumerator_.get()); }
  iterator end() { return iterator(nullptr); }

 private:
  std::unique_ptr<Enumerator<T>> enumerator_;
};

template <class Collection>
Each(const Ref<Collection>&) -> Each<typename Collection::ItemType>;

}  // namespace tabulara::host
