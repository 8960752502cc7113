"""Makes and reads dBase tables for the engine's tests with python3-dbf and
dbfread, libraries independent of the engine.

  dbf_tool.py create TABLE LDID 'SPZ C(10); KM N(8,1)' ROWS_JSON [CODEPAGE]
  dbf_tool.py dump TABLE ENCODING      one JSON list per live record
"""
import datetime
import json
import sys

import dbf
import dbfread


def create(path, ldid, spec, rows_json, codepage='cp1252'):
    table = dbf.Table(path, spec, dbf_type='db3', codepage=codepage)
    table.open(dbf.READ_WRITE)
    for row in json.loads(rows_json):
        values = []
        for value in row:
            if isinstance(value, str) and len(value) == 10 and value[4] == '-' and value[7] == '-':
                value = datetime.date.fromisoformat(value)
            values.append(value)
        table.append(tuple(values))
    table.close()
    with open(path, 'r+b') as f:
        f.seek(28)
        f.write(bytes([1, int(ldid, 0)]))  # production index, language driver


def dump(path, encoding):
    for record in dbfread.DBF(path, encoding=encoding, char_decode_errors='strict'):
        print(json.dumps(list(record.values()), ensure_ascii=False, default=str))


if __name__ == '__main__':
    if sys.argv[1] == 'create':
        create(*sys.argv[2:7])
    elif sys.argv[1] == 'dump':
        dump(*sys.argv[2:4])
    else:
        sys.exit('unknown command ' + sys.argv[1])
