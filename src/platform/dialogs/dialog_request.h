#pragma once
// Typed questions for the responder. Each dialog has a request struct that
// names it and says what its answer holds:
//
//   struct BrowseFolderRequest {
//     static constexpr const char* kName = "BrowseFolder";  // for the log
//     using Answer = BrowseFolderAnswer;                    // ButtonAnswer when the button says all
//     std::string caption; ...
//   };
//
// The asking side calls AskDialog(owner, request) and gets the result code
// with the typed answer; a responder receives the request as a DialogRequest,
// takes it back with As<Request>() and answers with MakeDialogResult. The
// request structs live with the code that asks (the file choosers here, the
// erase window with the burner, ...), so adding a dialog touches no central list.

#include <any>
#include <string>
#include <typeindex>
#include <typeinfo>
#include <utility>

// The answer of a dialog whose result code (IDOK, IDCANCEL, ...) says everything.
struct ButtonAnswer {};

class DialogRequest {
 public:
  template <typename Request>
  DialogRequest(Request request)  // NOLINT(google-explicit-constructor): any request is a dialog request
      : m_name(Request::kName), m_type(typeid(Request)), m_request(std::move(request)) {}

  const std::string& Name() const { return m_name; }
  std::type_index Type() const { return m_type; }

  // The request if it is of that kind, else nullptr.
  template <typename Request>
  const Request* As() const {
    return std::any_cast<Request>(&m_request);
  }

 private:
  std::string m_name;
  std::type_index m_type;
  std::any m_request;
};
