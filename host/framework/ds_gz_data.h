// ds_gz_data: one pedestal as a pier or abutment drawing describes it. It is
// a record of the substructure drawing's accessors, so it lives with them here.
#pragma once

class member_rw_interface;

struct ds_gz_data {
    double m_dPos = 0.0;       ///< position along the bridge; <= 0 smaller-chainage side, > 0 larger
    double m_dAngle = 90.0;    ///< skew angle of the side lines, degrees
    double m_dWidth = 0.0;     ///< transverse width, millimetres
    double m_dLength = 0.0;    ///< longitudinal length, millimetres
    double m_dHeight = 0.0;    ///< height, millimetres

    /// Guard tag "ds_gz_data", "version" 1, then each member under its name.
    void serialize_members(member_rw_interface& stream);

    /// Exact equality of every member (a stored and re-read pedestal compares equal).
    friend bool operator==(const ds_gz_data&, const ds_gz_data&) = default;
};
