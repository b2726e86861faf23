#include "mainwindow/announce_win.h"

#include "chat/chat_link_win.h"
#include "chat/pause.h"
#include "mainwindow/announcement.h"

namespace qf {

void SendAnnouncement() {
  ChatSendEnter(AnnounceLine1);
  Pause(0.3);
  ChatSendEnter(AnnounceLine2);
}

}  // namespace qf
