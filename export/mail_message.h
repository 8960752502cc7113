#pragma once
// One outgoing message and the SMTP server it goes to.
#include <string>
#include <string_view>
#include <vector>

#include "common/progress.h"

namespace tripdesk::mail {

struct MailAttachment {
    std::string path;  // file read when the message is sent
};

struct MailMessage {
    std::string sender;                   // From address
    std::vector<std::string> recipients;  // To addresses
    std::string subject;                  // UTF-8
    std::string body;                     // UTF-8, lines ended by CR LF
    std::vector<MailAttachment> attachments;
};

struct SmtpServer {
    std::string host;
    int port = 25;
    // Login with AUTH LOGIN when the user name is set and the server offers it.
    std::string username;
    std::string password;
    // CA certificates trusted for STARTTLS besides the system's.
    std::string ca_file;
};

// The recipient list of the settings: addresses separated by commas, blanks
// around them dropped, empty entries left out.
std::vector<std::string> split_addresses(std::string_view list);

// Sends the message; returns the empty text on success, else the error text.
// STARTTLS is used when the server offers it. Never throws for SMTP failures.
// `progress.pump()` runs while the transfer waits, so a window stays live.
std::string send_message(const SmtpServer& server, const MailMessage& message, Progress& progress);

}  // namespace tripdesk::mail
