#include "mainwindow/announce_win.h"

#include "chat/chat_link_win.h"
#include "chat/pause.h"
#include "mainwindow/announcement.h"

namespace qf {

void SendAnnouncement() {
  // With no chat room open, both lines go nowhere at once: the pause between them would only
  // hold up the window's first showing and the program's end.
  if (FindChatRoom().input == nullptr) return;
  ChatSendEnter(AnnounceLine1);
  Pause(0.3);
  ChatSendEnter(AnnounceLine2);
}

}  // namespace qf
