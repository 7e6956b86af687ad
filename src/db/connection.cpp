#include "db/connection.h"

namespace qora {

TDBValue TDBConnection::QueryValue(std::string_view sql, const TDBParams& params) {
  const TDBResult result = Query(sql, params);
  if (result.Empty() || result[0].FieldCount() == 0) return TDBValue();
  return result[0].Field(0);
}

}  // namespace qora
