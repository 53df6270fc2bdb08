// The messages are the texts the client puts in front of the user.
#include "server/service_error.h"

namespace k3 {

std::string_view errorMessage(ServiceError error) {
    switch (error) {
        case ServiceError::None:
            return "";
        case ServiceError::Undecryptable:
            return "请求无法解密";
        case ServiceError::MalformedRequest:
            return "请求格式错误";
        case ServiceError::WrongAppId:
            return "应用编号无效";
        case ServiceError::UnknownFunction:
            return "未知接口";
        case ServiceError::BadParameter:
            return "参数错误";
    }
    return "";
}

}  // namespace k3
