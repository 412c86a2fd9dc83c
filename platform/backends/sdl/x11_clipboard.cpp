#include "platform/backends/sdl/x11_clipboard.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <poll.h>

#include <algorithm>
#include <chrono>
#include <span>
#include <string>
#include <string_view>

#include "platform/backends/sdl/x11_errors.h"
#include "platform/system/text_encoding.h"

namespace platform {
namespace {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

// How long another owner may stay silent before it is given up on: the
// reader waits this long at most, for each answer or increment.
constexpr milliseconds kAnswerWait{500};
// A whole read, increments included, never takes longer than this.
constexpr milliseconds kReadWait{5000};
// Another program's data beyond this size is not taken.
constexpr std::size_t kLargestRead = std::size_t{64} << 20;
// An incremental transfer whose requestor has gone quiet this long is dropped.
constexpr std::chrono::seconds kStaleTransfer{10};
// How long the clipboard manager gets to take a copy at exit.
constexpr milliseconds kManagerWait{1000};
// Data above this is sent in increments; below the server's request limit.
constexpr std::size_t kLargestChunk = 256 * 1024;

ClipboardFormat RtfFormat() { return RegisterClipboardFormat(kRtfFormatName); }

struct Property {
  Atom type = None;
  int format = 0;
  std::vector<std::uint8_t> bytes;
  bool tooLarge = false;
};

}  // namespace

struct X11Clipboard::Connection {
  // A selection the program may hold: CLIPBOARD (copies) or PRIMARY (what
  // was selected last).
  struct Held {
    Atom selection = 0;
    bool owned = false;
    Time since = CurrentTime;
  };

  Display* display = nullptr;
  ::Window window = 0;
  Atom clipboard = 0, primarySelection = 0, targets = 0, timestamp = 0, incr = 0, utf8 = 0, plainUtf8 = 0, rtf = 0, applicationRtf = 0;
  Atom landing = 0;    // our property that other owners write into
  Atom timeProbe = 0;  // our property touched to learn the server's time
  Atom manager = 0, saveTargets = 0;
  std::size_t chunk = kLargestChunk;
  Held board;    // CLIPBOARD
  Held primary;  // PRIMARY

  // An answer being sent in increments.
  struct Transfer {
    ::Window requestor;
    Atom property;
    Atom type;
    std::vector<std::uint8_t> data;
    std::size_t sent;
    Clock::time_point lastActivity;
  };
  std::vector<Transfer> transfers;

  ~Connection() {
    if (window != 0) XDestroyWindow(display, window);
    QuietXErrorsOf(nullptr);
    if (display != nullptr) XCloseDisplay(display);
  }

  Atom Intern(const char* name) const { return XInternAtom(display, name, False); }

  template <typename Wanted>
  std::optional<XEvent> WaitFor(Wanted wanted, milliseconds limit);
  void Dispatch(XEvent& event);
  Held* HeldFor(Atom selection) { return selection == clipboard ? &board : selection == primarySelection ? &primary : nullptr; }
  void Claim(Held& held);
  void Answer(const XSelectionRequestEvent& request);
  bool Serve(const Held& held, ::Window requestor, Atom property, Atom target);
  std::optional<std::span<const std::uint8_t>> HeldData(const Held& held, ClipboardFormat format) const;
  std::optional<std::vector<std::uint8_t>> HeldAs(const Held& held, Atom target) const;
  std::vector<Atom> HeldTargets(const Held& held) const;
  void ContinueTransfer(const XPropertyEvent& event);
  Time ServerTime();
  Property TakeLanding();
  bool RequestInto(Atom target, Clock::time_point end, bool& silent);
  std::optional<std::vector<std::uint8_t>> Convert(Atom target, Clock::time_point end, bool& silent);
  std::vector<Atom> OwnerTargets(Clock::time_point end, bool& silent);
  void HandOverToManager();
};

// Handles events until one is `wanted` (returned) or `limit` has passed.
template <typename Wanted>
std::optional<XEvent> X11Clipboard::Connection::WaitFor(Wanted wanted, milliseconds limit) {
  const Clock::time_point end = Clock::now() + limit;
  while (true) {
    while (XPending(display) > 0) {
      XEvent event;
      XNextEvent(display, &event);
      if (wanted(event)) return event;
      Dispatch(event);
    }
    const auto left = std::chrono::duration_cast<milliseconds>(end - Clock::now()).count();
    if (left <= 0) return std::nullopt;
    pollfd descriptor{ConnectionNumber(display), POLLIN, 0};
    poll(&descriptor, 1, static_cast<int>(left));
  }
}

void X11Clipboard::Connection::Dispatch(XEvent& event) {
  switch (event.type) {
    case SelectionRequest:
      Answer(event.xselectionrequest);
      break;
    case SelectionClear: {
      // Another program has taken the selection: what the program held is
      // no longer what the desktop's selection holds. (A clear that a newer
      // claim of ours overtook changes nothing.)
      const Atom selection = event.xselectionclear.selection;
      Held* held = HeldFor(selection);
      if (held != nullptr && XGetSelectionOwner(display, selection) != window) {
        held->owned = false;
        if (held == &board) {
          ForgetHeldClipboard();
        } else {
          ForgetPrimarySelection();
        }
      }
      break;
    }
    case PropertyNotify:
      if (event.xproperty.window != window && event.xproperty.state == PropertyDelete) {
        ContinueTransfer(event.xproperty);
      }
      break;
    default:
      break;
  }
}

std::optional<std::span<const std::uint8_t>> X11Clipboard::Connection::HeldData(const Held& held,
                                                                               ClipboardFormat format) const {
  return &held == &board ? HeldClipboardData(format) : HeldPrimarySelection(format);
}

std::vector<Atom> X11Clipboard::Connection::HeldTargets(const Held& held) const {
  std::vector<Atom> list{targets, timestamp};
  if (HeldData(held, RtfFormat())) list.insert(list.end(), {rtf, applicationRtf});
  if (HeldData(held, kCfUnicodeText)) list.insert(list.end(), {utf8, plainUtf8});
  return list;
}

std::optional<std::vector<std::uint8_t>> X11Clipboard::Connection::HeldAs(const Held& held, Atom target) const {
  if (target == rtf || target == applicationRtf) {
    const auto data = HeldData(held, RtfFormat());
    if (!data) return std::nullopt;
    return std::vector<std::uint8_t>(data->begin(), data->end());
  }
  if (target == utf8 || target == plainUtf8) {
    const auto data = HeldData(held, kCfUnicodeText);
    if (!data) return std::nullopt;
    // The text ends at its terminator, which the desktop's text does not carry.
    std::size_t length = 0;
    while (length + 1 < data->size() && ((*data)[length] | (*data)[length + 1]) != 0) length += 2;
    const std::string text = Utf8FromUtf16Le(data->first(length));
    // Lines on the desktop end in LF alone, where the handheld's text has CR LF.
    std::vector<std::uint8_t> bytes;
    bytes.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
      if (text[i] != '\r' || i + 1 >= text.size() || text[i + 1] != '\n') bytes.push_back(static_cast<std::uint8_t>(text[i]));
    }
    return bytes;
  }
  return std::nullopt;
}

bool X11Clipboard::Connection::Serve(const Held& held, ::Window requestor, Atom property, Atom target) {
  if (target == targets) {
    const std::vector<Atom> list = HeldTargets(held);
    XChangeProperty(display, requestor, property, XA_ATOM, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(list.data()), static_cast<int>(list.size()));
    return true;
  }
  if (target == timestamp) {
    const long since = static_cast<long>(held.since);
    XChangeProperty(display, requestor, property, XA_INTEGER, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(&since), 1);
    return true;
  }
  std::optional<std::vector<std::uint8_t>> data = HeldAs(held, target);
  if (!data) return false;
  if (data->size() > chunk) {
    // Too large for one request: announce the size, then send a chunk each
    // time the requestor deletes the property.
    XSelectInput(display, requestor, PropertyChangeMask);
    const long size = static_cast<long>(data->size());
    XChangeProperty(display, requestor, property, incr, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(&size), 1);
    transfers.push_back(Transfer{requestor, property, target, std::move(*data), 0, Clock::now()});
    return true;
  }
  XChangeProperty(display, requestor, property, target, 8, PropModeReplace, data->data(),
                  static_cast<int>(data->size()));
  return true;
}

void X11Clipboard::Connection::Answer(const XSelectionRequestEvent& request) {
  XSelectionEvent notify{};
  notify.type = SelectionNotify;
  notify.display = display;
  notify.requestor = request.requestor;
  notify.selection = request.selection;
  notify.target = request.target;
  notify.time = request.time;
  notify.property = None;
  // Clients of old name no property and expect the target's name.
  const Atom property = request.property != None ? request.property : request.target;
  const Held* held = HeldFor(request.selection);
  const bool current = held != nullptr && (request.time == CurrentTime || held->since == CurrentTime ||
                                           request.time >= held->since);
  if (current && held->owned && request.owner == window && Serve(*held, request.requestor, property, request.target)) {
    notify.property = property;
  }
  XSendEvent(display, request.requestor, False, NoEventMask, reinterpret_cast<XEvent*>(&notify));
  XFlush(display);
}

void X11Clipboard::Connection::ContinueTransfer(const XPropertyEvent& event) {
  const auto transfer = std::find_if(transfers.begin(), transfers.end(), [&](const Transfer& t) {
    return t.requestor == event.window && t.property == event.atom;
  });
  if (transfer == transfers.end()) return;
  // A chunk of no bytes tells the requestor that the data is complete.
  const std::size_t count = std::min(chunk, transfer->data.size() - transfer->sent);
  XChangeProperty(display, transfer->requestor, transfer->property, transfer->type, 8, PropModeReplace,
                  transfer->data.data() + transfer->sent, static_cast<int>(count));
  transfer->sent += count;
  transfer->lastActivity = Clock::now();
  if (count == 0) {
    XSelectInput(display, transfer->requestor, NoEventMask);
    transfers.erase(transfer);
  }
  XFlush(display);
}

// The server's time now, from the notification of an empty append to a
// property of our own: selections are taken and compared by server time.
Time X11Clipboard::Connection::ServerTime() {
  static const unsigned char kNothing = 0;
  XChangeProperty(display, window, timeProbe, XA_STRING, 8, PropModeAppend, &kNothing, 0);
  const auto event = WaitFor(
      [&](const XEvent& e) {
        return e.type == PropertyNotify && e.xproperty.window == window && e.xproperty.atom == timeProbe;
      },
      kAnswerWait);
  return event ? event->xproperty.time : CurrentTime;
}

// Reads and deletes the landing property; type None when it is not there.
Property X11Clipboard::Connection::TakeLanding() {
  Property property;
  unsigned long count = 0;
  unsigned long after = 0;
  unsigned char* data = nullptr;
  if (XGetWindowProperty(display, window, landing, 0, static_cast<long>(kLargestRead / 4), True, AnyPropertyType,
                         &property.type, &property.format, &count, &after, &data) != Success) {
    return Property{};
  }
  if (data != nullptr) {
    // Items of 32-bit properties come as longs; only the text formats' 8-bit
    // items are taken as bytes.
    if (property.format == 8) property.bytes.assign(data, data + count);
    XFree(data);
  }
  property.tooLarge = after > 0;
  return property;
}

// Asks the owner to put `target` into the landing property; false when it
// refuses or (`silent`) does not answer in time.
bool X11Clipboard::Connection::RequestInto(Atom target, Clock::time_point end, bool& silent) {
  XDeleteProperty(display, window, landing);
  XConvertSelection(display, clipboard, target, landing, window, CurrentTime);
  const auto notify = WaitFor(
      [&](const XEvent& e) {
        return e.type == SelectionNotify && e.xselection.requestor == window && e.xselection.selection == clipboard &&
               e.xselection.target == target;
      },
      std::clamp(std::chrono::duration_cast<milliseconds>(end - Clock::now()), milliseconds{0}, kAnswerWait));
  silent = !notify;
  return notify && notify->xselection.property != None;
}

// The targets the owner lists; empty when it lists none or does not answer.
std::vector<Atom> X11Clipboard::Connection::OwnerTargets(Clock::time_point end, bool& silent) {
  std::vector<Atom> list;
  if (!RequestInto(targets, end, silent)) return list;
  Atom type = None;
  int format = 0;
  unsigned long count = 0;
  unsigned long after = 0;
  unsigned char* data = nullptr;
  if (XGetWindowProperty(display, window, landing, 0, 1024, True, XA_ATOM, &type, &format, &count, &after, &data) ==
          Success &&
      data != nullptr) {
    // 32-bit items come as longs.
    if (type == XA_ATOM && format == 32) {
      const auto* atoms = reinterpret_cast<const unsigned long*>(data);
      list.assign(atoms, atoms + count);
    }
    XFree(data);
  }
  return list;
}

// Asks the owner for `target`. Nothing when it refuses, or sends too much,
// or (`silent`) does not answer in time.
std::optional<std::vector<std::uint8_t>> X11Clipboard::Connection::Convert(Atom target, Clock::time_point end,
                                                                         bool& silent) {
  const auto waitLeft = [&] {
    return std::clamp(std::chrono::duration_cast<milliseconds>(end - Clock::now()), milliseconds{0}, kAnswerWait);
  };
  if (!RequestInto(target, end, silent)) return std::nullopt;
  Property first = TakeLanding();
  if (first.type != incr) {
    if (first.format != 8 || first.tooLarge) return std::nullopt;
    return std::move(first.bytes);
  }
  // In increments: each new value of the property is the next chunk,
  // taken (and deleted, which asks for the next) until an empty one.
  std::vector<std::uint8_t> data;
  while (true) {
    const auto chunkCame = WaitFor(
        [&](const XEvent& e) {
          return e.type == PropertyNotify && e.xproperty.window == window && e.xproperty.atom == landing &&
                 e.xproperty.state == PropertyNewValue;
        },
        waitLeft());
    if (!chunkCame) {
      silent = true;
      XDeleteProperty(display, window, landing);
      return std::nullopt;
    }
    Property piece = TakeLanding();
    if (piece.type == None) continue;  // the notice of a value already taken
    if (piece.format != 8 || piece.tooLarge || data.size() + piece.bytes.size() > kLargestRead) return std::nullopt;
    if (piece.bytes.empty()) return data;
    data.insert(data.end(), piece.bytes.begin(), piece.bytes.end());
  }
}

// Hands the data to the desktop's clipboard manager, when one runs, so that
// it stays on the clipboard after the program has ended.
void X11Clipboard::Connection::HandOverToManager() {
  if (XGetSelectionOwner(display, manager) == None) return;
  XConvertSelection(display, manager, saveTargets, None, window, board.since);
  WaitFor([&](const XEvent& e) { return e.type == SelectionNotify && e.xselection.selection == manager; },
          kManagerWait);
}

std::unique_ptr<X11Clipboard> X11Clipboard::Open() {
  auto x = std::make_unique<Connection>();
  x->display = XOpenDisplay(nullptr);
  if (x->display == nullptr) return nullptr;
  InstallXErrorHandler();
  QuietXErrorsOf(x->display);

  XSetWindowAttributes attributes{};
  attributes.event_mask = PropertyChangeMask;
  // Never mapped: it only holds the selection and receives answers.
  x->window = XCreateWindow(x->display, DefaultRootWindow(x->display), -10, -10, 1, 1, 0, 0, InputOnly,
                            CopyFromParent, CWEventMask, &attributes);
  x->clipboard = x->Intern("CLIPBOARD");
  x->primarySelection = XA_PRIMARY;
  x->board.selection = x->clipboard;
  x->primary.selection = x->primarySelection;
  x->targets = x->Intern("TARGETS");
  x->timestamp = x->Intern("TIMESTAMP");
  x->incr = x->Intern("INCR");
  x->utf8 = x->Intern("UTF8_STRING");
  x->plainUtf8 = x->Intern("text/plain;charset=utf-8");
  x->rtf = x->Intern("text/rtf");
  x->applicationRtf = x->Intern("application/rtf");
  x->landing = x->Intern("QUILLORY_CLIPBOARD");
  x->timeProbe = x->Intern("QUILLORY_TIME");
  x->manager = x->Intern("CLIPBOARD_MANAGER");
  x->saveTargets = x->Intern("SAVE_TARGETS");
  const long requestLimit = XExtendedMaxRequestSize(x->display) > 0 ? XExtendedMaxRequestSize(x->display)
                                                                     : XMaxRequestSize(x->display);
  x->chunk = std::min(kLargestChunk, static_cast<std::size_t>(requestLimit) * 4 / 2);
  return std::unique_ptr<X11Clipboard>(new X11Clipboard(std::move(x)));
}

X11Clipboard::X11Clipboard(std::unique_ptr<Connection> connection) : x_(std::move(connection)) {}

X11Clipboard::~X11Clipboard() {
  if (x_->board.owned && XGetSelectionOwner(x_->display, x_->clipboard) == x_->window) {
    x_->HandOverToManager();
    XSetSelectionOwner(x_->display, x_->clipboard, None, x_->board.since);
  }
  // What was selected goes with the program, as it does with every other.
  if (x_->primary.owned && XGetSelectionOwner(x_->display, x_->primarySelection) == x_->window) {
    XSetSelectionOwner(x_->display, x_->primarySelection, None, x_->primary.since);
  }
  XSync(x_->display, False);
}

void X11Clipboard::Connection::Claim(Held& held) {
  const Time time = ServerTime();
  XSetSelectionOwner(display, held.selection, window, time);
  held.owned = XGetSelectionOwner(display, held.selection) == window;
  held.since = time;
}

void X11Clipboard::Claim() {
  x_->Claim(x_->board);
  HandlePending();
}

void X11Clipboard::ClaimPrimary() {
  x_->Claim(x_->primary);
  HandlePending();
}

std::optional<std::vector<std::uint8_t>> X11Clipboard::Read(ClipboardFormat format) {
  std::vector<Atom> wanted;
  if (format == kCfUnicodeText) wanted = {x_->utf8, x_->plainUtf8};
  if (format == RtfFormat()) wanted = {x_->rtf, x_->applicationRtf};
  const ::Window owner = XGetSelectionOwner(x_->display, x_->clipboard);
  if (wanted.empty() || owner == None || owner == x_->window) return std::nullopt;

  const Clock::time_point end = Clock::now() + kReadWait;
  // Some owners answer any target with what they hold, listed or not; only
  // what the owner lists is asked for, so that its plain text never passes
  // for rich text.
  bool silent = false;
  const std::vector<Atom> listed = x_->OwnerTargets(end, silent);
  std::erase_if(wanted, [&](Atom target) { return std::find(listed.begin(), listed.end(), target) == listed.end(); });
  if (silent) wanted.clear();
  for (const Atom target : wanted) {
    std::optional<std::vector<std::uint8_t>> data = x_->Convert(target, end, silent);
    if (data && format == kCfUnicodeText) {
      // UTF-8 on the desktop, 16-bit characters with a terminator here.
      std::vector<std::uint8_t> text;
      AppendUtf16LeFromUtf8(std::string_view(reinterpret_cast<const char*>(data->data()), data->size()), text);
      text.insert(text.end(), {0, 0});
      return text;
    }
    if (data) return data;
    if (silent) break;  // an owner that does not answer is not asked again
  }
  HandlePending();
  return std::nullopt;
}

void X11Clipboard::HandlePending() {
  while (XPending(x_->display) > 0) {
    XEvent event;
    XNextEvent(x_->display, &event);
    x_->Dispatch(event);
  }
  std::erase_if(x_->transfers, [](const Connection::Transfer& transfer) {
    return Clock::now() - transfer.lastActivity > kStaleTransfer;
  });
}

}  // namespace platform
