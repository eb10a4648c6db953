// A clipboard owner that never answers: takes the CLIPBOARD selection, prints "ready" and then ignores
// every request until it is killed (or a minute has passed).
#include <unistd.h>
#include <xcb/xcb.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

int main() {
  xcb_connection_t* connection = xcb_connect(nullptr, nullptr);
  if (xcb_connection_has_error(connection)) {
    std::fprintf(stderr, "silent-owner: cannot connect to the display\n");
    return 1;
  }
  xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(connection)).data;
  const xcb_window_t window = xcb_generate_id(connection);
  xcb_create_window(connection, XCB_COPY_FROM_PARENT, window, screen->root, 0, 0, 1, 1, 0,
                    XCB_WINDOW_CLASS_INPUT_ONLY, screen->root_visual, 0, nullptr);
  const char name[] = "CLIPBOARD";
  xcb_intern_atom_reply_t* atom = xcb_intern_atom_reply(
      connection, xcb_intern_atom(connection, 0, static_cast<uint16_t>(std::strlen(name)), name), nullptr);
  if (!atom)
    return 1;
  xcb_set_selection_owner(connection, window, atom->atom, XCB_CURRENT_TIME);
  // The owner query is a round trip, so the server has made us the owner once it answers.
  xcb_get_selection_owner_reply_t* owner =
      xcb_get_selection_owner_reply(connection, xcb_get_selection_owner(connection, atom->atom), nullptr);
  const bool owning = owner && owner->owner == window;
  std::free(owner);
  std::free(atom);
  if (!owning) {
    std::fprintf(stderr, "silent-owner: could not take the clipboard\n");
    return 1;
  }
  std::printf("ready\n");
  std::fflush(stdout);
  sleep(60);
  xcb_disconnect(connection);
  return 0;
}
