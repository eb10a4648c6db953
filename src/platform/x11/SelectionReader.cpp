// Selection transfers from other X11 clients: ConvertSelection, then the property read at once or in INCR
// chunks, each wait bounded by poll on the connection's descriptor.
#include "platform/x11/SelectionReader.h"

#include <poll.h>
#include <xcb/xcb.h>

#include <cstdlib>
#include <cstring>

namespace velmora::platform {

namespace {

using TClock = std::chrono::steady_clock;

// Free a reply or an event when leaving scope.
struct TFreeOnExit {
  void* Pointer;
  ~TFreeOnExit() { std::free(Pointer); }
};

}  // namespace

TSelectionReader::TSelectionReader(std::chrono::milliseconds timeout) : FTimeout(timeout) {
  int screenNumber = 0;
  xcb_connection_t* connection = xcb_connect(nullptr, &screenNumber);
  if (xcb_connection_has_error(connection)) {
    xcb_disconnect(connection);
    return;
  }
  xcb_screen_iterator_t screens = xcb_setup_roots_iterator(xcb_get_setup(connection));
  for (int i = 0; i < screenNumber && screens.rem > 0; ++i)
    xcb_screen_next(&screens);
  if (screens.rem == 0) {
    xcb_disconnect(connection);
    return;
  }
  FConnection = connection;
  FWindow = xcb_generate_id(FConnection);
  // Property changes on this window drive INCR transfers.
  const uint32_t eventMask = XCB_EVENT_MASK_PROPERTY_CHANGE;
  xcb_create_window(FConnection, XCB_COPY_FROM_PARENT, FWindow, screens.data->root, 0, 0, 1, 1, 0,
                    XCB_WINDOW_CLASS_INPUT_ONLY, screens.data->root_visual, XCB_CW_EVENT_MASK, &eventMask);
  FSelection = Atom("CLIPBOARD");
  FProperty = Atom("VELMORA_SELECTION");
  xcb_flush(FConnection);
}

TSelectionReader::~TSelectionReader() {
  if (FConnection)
    xcb_disconnect(FConnection);
}

uint32_t TSelectionReader::Atom(std::string_view name) {
  if (const auto it = FAtoms.find(name); it != FAtoms.end())
    return it->second;
  xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(
      FConnection, xcb_intern_atom(FConnection, 0, static_cast<uint16_t>(name.size()), name.data()), nullptr);
  TFreeOnExit freeReply{reply};
  const uint32_t atom = reply ? reply->atom : uint32_t{XCB_ATOM_NONE};
  if (atom != XCB_ATOM_NONE) {
    FAtoms.emplace(std::string(name), atom);
    FAtomNames.emplace(atom, std::string(name));
  }
  return atom;
}

std::string TSelectionReader::AtomName(uint32_t atom) {
  if (const auto it = FAtomNames.find(atom); it != FAtomNames.end())
    return it->second;
  xcb_get_atom_name_reply_t* reply =
      xcb_get_atom_name_reply(FConnection, xcb_get_atom_name(FConnection, atom), nullptr);
  TFreeOnExit freeReply{reply};
  if (!reply)
    return {};
  std::string name(xcb_get_atom_name_name(reply), xcb_get_atom_name_name_length(reply));
  FAtomNames.emplace(atom, name);
  FAtoms.emplace(name, atom);
  return name;
}

bool TSelectionReader::HasOwner() {
  if (!FConnection)
    return false;
  xcb_get_selection_owner_reply_t* reply =
      xcb_get_selection_owner_reply(FConnection, xcb_get_selection_owner(FConnection, FSelection), nullptr);
  TFreeOnExit freeReply{reply};
  return reply && reply->owner != XCB_WINDOW_NONE;
}

bool TSelectionReader::WaitFor(uint8_t responseType, TClock::time_point deadline, void* notify) {
  for (;;) {
    while (xcb_generic_event_t* event = xcb_poll_for_event(FConnection)) {
      TFreeOnExit freeEvent{event};
      const uint8_t type = event->response_type & 0x7f;
      if (type != responseType)
        continue;
      if (type == XCB_PROPERTY_NOTIFY) {
        const auto* change = reinterpret_cast<xcb_property_notify_event_t*>(event);
        if (change->atom != FProperty || change->state != XCB_PROPERTY_NEW_VALUE)
          continue;
      }
      if (notify)
        std::memcpy(notify, event, sizeof(xcb_selection_notify_event_t));
      return true;
    }
    if (xcb_connection_has_error(FConnection))
      return false;
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - TClock::now());
    if (left.count() <= 0)
      return false;
    pollfd descriptor{xcb_get_file_descriptor(FConnection), POLLIN, 0};
    ::poll(&descriptor, 1, static_cast<int>(left.count()));
  }
}

bool TSelectionReader::Convert(uint32_t target) {
  // An answer that came too late for an earlier request must not be taken for this one's.
  while (xcb_generic_event_t* stale = xcb_poll_for_event(FConnection))
    std::free(stale);
  xcb_delete_property(FConnection, FWindow, FProperty);
  xcb_convert_selection(FConnection, FWindow, FSelection, target, FProperty, XCB_CURRENT_TIME);
  xcb_flush(FConnection);
  const TClock::time_point deadline = TClock::now() + FTimeout;
  for (;;) {
    xcb_selection_notify_event_t notify{};
    if (!WaitFor(XCB_SELECTION_NOTIFY, deadline, &notify))
      return false;
    if (notify.requestor != FWindow || notify.selection != FSelection || notify.target != target)
      continue;
    return notify.property != XCB_ATOM_NONE;
  }
}

std::string TSelectionReader::TakeProperty(uint32_t& type) {
  std::string bytes;
  type = XCB_ATOM_NONE;
  uint32_t offset = 0;  // in 32-bit units, as GetProperty counts
  for (;;) {
    // Deleting with the last part keeps the property until everything was read.
    xcb_get_property_reply_t* reply = xcb_get_property_reply(
        FConnection,
        xcb_get_property(FConnection, 1, FWindow, FProperty, XCB_GET_PROPERTY_TYPE_ANY, offset, 1u << 24),
        nullptr);
    TFreeOnExit freeReply{reply};
    if (!reply)
      return bytes;
    type = reply->type;
    const int length = xcb_get_property_value_length(reply);
    bytes.append(static_cast<const char*>(xcb_get_property_value(reply)), static_cast<size_t>(length));
    if (reply->bytes_after == 0)
      return bytes;
    offset += static_cast<uint32_t>(length) / 4;
  }
}

std::optional<std::vector<std::string>> TSelectionReader::Targets() {
  if (!FConnection || !HasOwner())
    return std::vector<std::string>();
  if (!Convert(Atom("TARGETS")))
    return std::nullopt;
  uint32_t type = 0;
  const std::string bytes = TakeProperty(type);
  std::vector<std::string> names;
  for (size_t at = 0; at + 4 <= bytes.size(); at += 4) {
    uint32_t atom = 0;
    std::memcpy(&atom, bytes.data() + at, 4);
    if (atom != XCB_ATOM_NONE)
      names.push_back(AtomName(atom));
  }
  return names;
}

std::optional<std::string> TSelectionReader::Read(std::string_view target) {
  if (!FConnection || !Convert(Atom(target)))
    return std::nullopt;
  uint32_t type = 0;
  std::string bytes = TakeProperty(type);
  if (type != Atom("INCR"))
    return bytes;
  // INCR: the property we just deleted started the transfer; each new value is the next chunk and an
  // empty one ends it.
  std::string whole;
  for (;;) {
    if (!WaitFor(XCB_PROPERTY_NOTIFY, TClock::now() + FTimeout))
      return std::nullopt;
    const std::string chunk = TakeProperty(type);
    if (chunk.empty())
      return whole;
    whole += chunk;
  }
}

}  // namespace velmora::platform
