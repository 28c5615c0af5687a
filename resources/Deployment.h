#pragma once

// Where this build of the program sends its users: the support mailbox, the
// companion website and the host name the website question shows. Change
// them here for another deployment; nothing else names them.
namespace Deployment {

inline constexpr char supportAddress[] = "support@pellwood.example";
inline constexpr char websiteAddress[] = "http://www.pellwood.example/";
inline constexpr char websiteHost[] = "www.pellwood.example";

} // namespace Deployment
