#pragma once
// Sending the two announcement lines into the chat room, at start-up and at exit.

namespace qf {

// The first announcement line, a pause of 0.3 seconds, the second line, each typed into the
// room with a carriage return (ChatSendEnter). Returns at once, without the pause, when no
// chat room is open.
void SendAnnouncement();

}  // namespace qf
