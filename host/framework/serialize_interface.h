// serialize_interface: the second interface of every data node, through which
// the host writes and reads a node's members with a project.
#pragma once

#include "host/framework/member_rw_interface.h"

class serialize_interface {
public:
    virtual ~serialize_interface() = default;
    virtual void serialize_members(member_rw_interface& stream) = 0;
};
